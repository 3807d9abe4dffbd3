<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Language</name>
    <message>
        <location filename="../src/base/Language.cpp" line="+74"/>
        <source>Original</source>
        <translation>Original</translation>
    </message>
</context>
</TS>
