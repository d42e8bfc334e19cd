#!/usr/bin/env python3
"""Writes zentil-tool's table of translations (tool_translations.h) from the
translation files, so that the tool, which has no Qt, speaks every language
the editor does with the same words.

usage: translation_table.py OUTPUT.cpp CONTEXT,CONTEXT... zentil_CODE.ts...

Each file gives the language of its name (zentil_en.ts: "en"), as lrelease
names the editor's .qm. A message is taken as lrelease takes it: with its
translation (the first plural form of a plural one), unless it has none or
is vanished or obsolete.
"""

import re
import sys
import xml.etree.ElementTree as ElementTree


def language_code(path):
    match = re.search(r"zentil_([A-Za-z0-9_]+)\.ts$", path)
    if not match:
        sys.exit(f"{path}: not named zentil_CODE.ts")
    return match.group(1)


def translations(path, contexts):
    texts = {}
    for context in ElementTree.parse(path).getroot().iter("context"):
        name = context.findtext("name", "")
        if name not in contexts:
            continue
        for message in context.iter("message"):
            translation = message.find("translation")
            if translation is None or translation.get("type") in ("vanished", "obsolete"):
                continue
            forms = translation.findall("numerusform")
            text = (forms[0].text if forms else translation.text) or ""
            if text:
                texts[(name, message.findtext("source", ""))] = text
    return texts


def literal(text):
    """A C++ string literal of `text`, in UTF-8 as the sources are."""
    out = []
    for char in text:
        if char in '"\\':
            out.append("\\" + char)
        elif char == "\n":
            out.append("\\n")
        elif ord(char) < 0x20 or char == "\x7f":
            out.append(f"\\{ord(char):03o}")
        else:
            out.append(char)
    return '"' + "".join(out) + '"'


def table(files, contexts):
    lines = [
        "// Made at build time by tools/translation_table.py from the translation files.",
        '#include "tool_translations.h"',
        "",
        "namespace zentil::tool {",
        "namespace {",
        "",
    ]
    languages = []
    for index, path in enumerate(files):
        code = language_code(path)
        texts = translations(path, contexts)
        # Byte order, as std::string_view compares.
        keys = sorted(texts, key=lambda key: (key[0].encode(), key[1].encode()))
        lines.append(f"// {code}")
        lines.append(f"constexpr TranslatedText kTexts{index}[] = {{")
        for context, source in keys:
            lines.append(
                f"    {{{literal(context)}, {literal(source)}, {literal(texts[(context, source)])}}},"
            )
        if not keys:
            lines.append('    {"", "", ""},')
        lines.append("};")
        lines.append("")
        count = len(keys)
        languages.append(f"    {{{literal(code)}, std::span(kTexts{index}, {count})}},")
    if languages:
        lines.append("constexpr ToolTranslation kTranslations[] = {")
        lines.extend(languages)
        lines.append("};")
        lines.append("")
    lines.append("}  // namespace")
    lines.append("")
    lines.append("std::span<const ToolTranslation> toolTranslations() {")
    lines.append("    return kTranslations;" if languages else "    return {};")
    lines.append("}")
    lines.append("")
    lines.append("}  // namespace zentil::tool")
    return "\n".join(lines) + "\n"


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    output, contexts, files = sys.argv[1], set(sys.argv[2].split(",")), sys.argv[3:]
    with open(output, "w", encoding="utf-8") as out:
        out.write(table(files, contexts))


if __name__ == "__main__":
    main()
