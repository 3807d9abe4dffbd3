<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>IniFile</name>
    <message>
        <location filename="../src/base/IniFile.cpp" line="+102"/>
        <source>Cannot read &quot;%1&quot;: out of memory</source>
        <translation>Cannot read &quot;%1&quot;: out of memory</translation>
    </message>
    <message>
        <location line="+18"/>
        <location line="+4"/>
        <source>Cannot read &quot;%1&quot;: %2</source>
        <translation>Cannot read &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>&apos;%1&apos; is not a valid integer value for [%2] %3</source>
        <translation>&apos;%1&apos; is not a valid integer value for [%2] %3</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Cannot write &quot;%1&quot;: %2</source>
        <translation>Cannot write &quot;%1&quot;: %2</translation>
    </message>
</context>
<context>
    <name>Language</name>
    <message>
        <location filename="../src/base/Language.cpp" line="+78"/>
        <source>Original</source>
        <translation>Original</translation>
    </message>
</context>
<context>
    <name>NumberInput</name>
    <message>
        <location filename="../src/base/NumberInput.cpp" line="+41"/>
        <source>&apos;%1&apos; is not a valid floating point value</source>
        <translation>&apos;%1&apos; is not a valid floating point value</translation>
    </message>
</context>
<context>
    <name>SaveName</name>
    <message>
        <location filename="../src/base/SaveName.cpp" line="+15"/>
        <source>File exists</source>
        <translation>File exists</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>  File already exists, overwrite?？  </source>
        <translation>  The file already exists. Overwrite it?  </translation>
    </message>
</context>
</TS>
