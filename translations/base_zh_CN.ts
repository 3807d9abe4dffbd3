<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>IniFile</name>
    <message>
        <location filename="../src/base/IniFile.cpp" line="+102"/>
        <source>Cannot read &quot;%1&quot;: out of memory</source>
        <translation>无法读取“%1”：内存不足</translation>
    </message>
    <message>
        <location line="+18"/>
        <location line="+4"/>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>无法读取“%1”：%2</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>&apos;%1&apos; is not a valid integer value for [%2] %3</source>
        <translation>“%1”不是 [%2] %3 的有效整数值</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>无法写入“%1”：%2</translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <location filename="../src/base/Language.cpp" line="+78"/>
        <source>Original</source>
        <translation>原文</translation>
    </message>
</context>
<context>
    <name>NumberInput</name>
    <message>
        <location filename="../src/base/NumberInput.cpp" line="+41"/>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation>“%1”不是有效的数值</translation>
    </message>
</context>
<context>
    <name>SaveName</name>
    <message>
        <location filename="../src/base/SaveName.cpp" line="+15"/>
        <source>File exists</source>
        <translation>文件已存在</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>  File already exists, overwrite?？  </source>
        <translation>  文件已存在，是否覆盖？  </translation>
    </message>
</context>
</TS>
