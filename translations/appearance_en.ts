<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>Tskin</name>
    <message>
        <location filename="../src/appearance/forms/skins.cpp" line="+90"/>
        <source>更换皮肤</source>
        <translation>Change Skin</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Skins Setting</source>
        <translation>Skins Setting</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>WINDOWS</source>
        <translation>WINDOWS</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Skin 1</source>
        <translation>Skin 1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Skin 2</source>
        <translation>Skin 2</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Skin 3</source>
        <translation>Skin 3</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Skin 4</source>
        <translation>Skin 4</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Skin 5</source>
        <translation>Skin 5</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Skin 6</source>
        <translation>Skin 6</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Background Color</source>
        <translation>Background Color</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Black</source>
        <translation>Black</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>White</source>
        <translation>White</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Gray </source>
        <translation>Gray </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Color scale</source>
        <translation>Color scale</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Blue &amp; Green</source>
        <translation>Blue &amp; Green</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Yellow</source>
        <translation>Yellow</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Light Black</source>
        <translation>Light Black</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
</TS>
