<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>Tskin</name>
    <message>
        <location filename="../src/appearance/forms/skins.cpp" line="+90"/>
        <source>更换皮肤</source>
        <translation>更换皮肤</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Skins Setting</source>
        <translation>皮肤设置</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>WINDOWS</source>
        <translation>WINDOWS</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Skin 1</source>
        <translation>皮肤 1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Skin 2</source>
        <translation>皮肤 2</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Skin 3</source>
        <translation>皮肤 3</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Skin 4</source>
        <translation>皮肤 4</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Skin 5</source>
        <translation>皮肤 5</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Skin 6</source>
        <translation>皮肤 6</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Background Color</source>
        <translation>背景颜色</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Black</source>
        <translation>黑色</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>White</source>
        <translation>白色</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Gray </source>
        <translation>灰色 </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Color scale</source>
        <translation>刻度颜色</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Blue &amp; Green</source>
        <translation>蓝和绿</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Yellow</source>
        <translation>黄色</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Light Black</source>
        <translation>浅黑色</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
</context>
</TS>
