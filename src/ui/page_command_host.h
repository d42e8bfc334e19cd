// What the commands on pages ask of the window they work in: the document
// (the lists and the canvas follow its changes), where messages go, the
// canvas's tools (the current one takes a nudge first; the block tool keeps
// the block to copy) and the key panels.
#pragma once

namespace zentil {

class Document;
class MessageSink;
class CanvasTools;
struct PixelInfo;

class PageCommandHost {
  public:
    virtual ~PageCommandHost() = default;
    virtual Document& document() = 0;
    virtual MessageSink& messages() = 0;
    virtual CanvasTools& tools() = 0;
    // The default key and page key panels show the keys of `info`.
    virtual void showKeys(const PixelInfo& info) = 0;
};

}  // namespace zentil
