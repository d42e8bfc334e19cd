// The file commands of the main window: loading pictures, sprite files and
// work files (chosen in the load dialog, named on the command line or
// dropped on the window), saving the current page or the session, applying
// and saving palettes.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace zentil {

class FileCommandHost;
class WorkSession;
class Workspace;

class FileCommands {
    Q_DECLARE_TR_FUNCTIONS(zentil::FileCommands)

  public:
    FileCommands(FileCommandHost& host, WorkSession& session) : host_(host), session_(session) {}

    void Btn_LoadSprClick();
    void Btn_SaveSprClick();
    void Btn_LoadPalClick();
    void Btn_SavePalClick();
    // Reads a picture and cuts it into one sprite page of its tiles, where
    // the sheet window says they stand (the last cut is offered again).
    void importSheetClick();
    // Reads pictures and sprite files into their stores, in name order, as
    // the load command does with the files chosen in its dialog; a work file
    // among them opens first.
    void loadFiles(const QStringList& paths);

    // The filter each file dialog was left at; the load dialog shows every
    // format (0) until the user leaves it at one.
    int OpenFilterIndex = 0;
    int SaveFilterIndex = 1;
    // How long a load runs before its progress dialog appears.
    void setProgressDelay(int ms) { progressDelayMs_ = ms; }

  private:
    Workspace& ws();
    void openWorkAmong(const QString& work);
    void readFiles(std::vector<std::string> names);
    // The current page written in a page format, or the session as a work file.
    void saveChoice(QString fileName, int filterIndex);

    FileCommandHost& host_;
    WorkSession& session_;
    int progressDelayMs_ = 500;
};

}  // namespace zentil
