<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Language</name>
    <message>
        <location filename="../src/base/Language.cpp" line="+74"/>
        <source>Original</source>
        <translation>原文</translation>
    </message>
</context>
</TS>
