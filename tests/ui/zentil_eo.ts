<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- A third language for the tests alone, not shipped: a few texts of each
     kind, enough to see it listed, chosen and spoken by the editor and by
     zentil-tool. -->
<TS version="2.1" language="eo" sourcelanguage="ko_KR">
<context>
    <name>CoreText</name>
    <message>
        <source>GPF 파일을 열 수 없습니다.</source>
        <translation>Ne eblas malfermi la GPF-dosieron.</translation>
    </message>
</context>
<context>
    <name>TMainWin</name>
    <message>
        <source>새로 만들기</source>
        <translation>Nova</translation>
    </message>
</context>
<context>
    <name>ToolText</name>
    <message>
        <source>알 수 없는 명령입니다: %1</source>
        <translation>nekonata komando: %1</translation>
    </message>
</context>
<context>
    <name>zentil::Language</name>
    <message>
        <source>한국어</source>
        <translation>Esperanto</translation>
    </message>
</context>
<context>
    <name>zentil::LanguageMenu</name>
    <message>
        <source>다음 시작부터 한국어로 표시됩니다.</source>
        <translation>La redaktilo parolos Esperanton ekde sia venonta starto.</translation>
    </message>
</context>
<context>
    <name>zentil::EditorActions</name>
    <message>
        <source>새로 만들기</source>
        <translation>&amp;Nova</translation>
    </message>
</context>
</TS>
