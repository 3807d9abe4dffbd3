<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>MeasurementFile</name>
    <message>
        <location filename="../src/measure/MeasurementFile.cpp" line="+38"/>
        <source>a folder</source>
        <translation>a folder</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>a pipe</source>
        <translation>a pipe</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>a device</source>
        <translation>a device</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>a socket</source>
        <translation>a socket</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>not a plain file</source>
        <translation>not a plain file</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&quot;%1&quot; is %2, not a file</source>
        <translation>&quot;%1&quot; is %2, not a file</translation>
    </message>
    <message>
        <location line="+81"/>
        <source>The file is too short for a measurement file: it has %1 bytes, a measurement file has %2 bytes</source>
        <translation>The file is too short for a measurement file: it has %1 bytes, a measurement file has %2 bytes</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>This is not a measurement file: it has %1 bytes, a measurement file has exactly %2 bytes</source>
        <translation>This is not a measurement file: it has %1 bytes, a measurement file has exactly %2 bytes</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Read beyond end of file</source>
        <translation>Read beyond end of file</translation>
    </message>
</context>
<context>
    <name>Reference</name>
    <message>
        <location filename="../src/measure/Reference.cpp" line="+18"/>
        <source>This is not a measurement file: its sample count is %1, a measurement has %2 samples</source>
        <translation>This is not a measurement file: its sample count is %1, a measurement has %2 samples</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <location filename="../src/measure/forms/LanguageMenu.cpp" line="+18"/>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <location filename="../src/measure/forms/Main.cpp" line="+75"/>
        <source>NORVO Precision Measurement Technology</source>
        <translation>NORVO Precision Measurement Technology</translation>
    </message>
    <message>
        <location line="+211"/>
        <source>Failed,The machine is not connected! </source>
        <translation>Failed: the instrument is not connected!</translation>
    </message>
    <message>
        <location line="+63"/>
        <source>No program on this computer opens PDF documents. Open the handbook with a PDF viewer of your choice:

%1</source>
        <translation>No program on this computer opens PDF documents. Open the handbook with a PDF viewer of your choice:

%1</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>No web browser could be started. Open this address in a browser of your choice:

%1</source>
        <translation>No web browser could be started. Open this address in a browser of your choice:

%1</translation>
    </message>
    <message>
        <location filename="../src/measure/forms/MainParts.cpp" line="+156"/>
        <source> WAVE </source>
        <translation> WAVE </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Parameter </source>
        <translation>Parameter </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>   UTHD  </source>
        <translation>   UTHD  </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>   ITHD  </source>
        <translation>   ITHD  </translation>
    </message>
    <message>
        <location filename="../src/measure/MainControls.cpp" line="+21"/>
        <source>File(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+55"/>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <location line="-54"/>
        <location line="+55"/>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <location line="-54"/>
        <source>Export CSV...</source>
        <translation>Export CSV...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Set as reference</source>
        <translation>Set as reference</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Load reference...</source>
        <translation>Load reference...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Clear reference</source>
        <translation>Clear reference</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+47"/>
        <source>Print</source>
        <translation>Print</translation>
    </message>
    <message>
        <location line="-45"/>
        <source>Exit</source>
        <translation>Exit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Option (&amp;O)</source>
        <translation>&amp;Options</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Communication</source>
        <translation>Communication</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Style</source>
        <translation>Style</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Alarm</source>
        <translation>Alarm</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>校准 </source>
        <translation>Calibration </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Bandwidth</source>
        <translation>Bandwidth</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+80"/>
        <source>Narrowband &amp;(Y)←</source>
        <translation>Narrow Band &amp;(Y)←</translation>
    </message>
    <message>
        <location line="-79"/>
        <source>Wide Band &amp;(Z)</source>
        <translation>Wide Band &amp;(Z)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>THD</source>
        <translation>THD</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%f： IEC方式 &amp;(Y)←</source>
        <translation>%f: IEC method &amp;(Y)←</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%r： CSA方式 &amp;(Z)</source>
        <translation>%r: CSA method &amp;(Z)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>CT</source>
        <translation>CT</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Compare</source>
        <translation>Compare</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Harmonic compliance</source>
        <translation>Harmonic compliance</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Run (&amp;P)</source>
        <translation>&amp;Run</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+24"/>
        <source>Single Sampling</source>
        <translation>Single Sampling</translation>
    </message>
    <message>
        <location line="-23"/>
        <location line="+24"/>
        <source>Continuous Sampling</source>
        <translation>Continuous Sampling</translation>
    </message>
    <message>
        <location line="-23"/>
        <location line="+24"/>
        <source>Stop </source>
        <translation>Stop </translation>
    </message>
    <message>
        <location line="-22"/>
        <location line="+19"/>
        <source>Starting Test</source>
        <translation>Starting Test</translation>
    </message>
    <message>
        <location line="-17"/>
        <location line="+16"/>
        <source>Harmonic Table</source>
        <translation>Harmonic Table</translation>
    </message>
    <message>
        <location line="-14"/>
        <location line="+13"/>
        <source>Record</source>
        <translation>Record</translation>
    </message>
    <message>
        <location line="-12"/>
        <source>Help(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+10"/>
        <source>Edition</source>
        <translation>Version</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>Norvo Website </source>
        <translation>Norvo Website </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Handbook </source>
        <translation>Handbook </translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Communication ......</source>
        <translation>Communication ......</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Status ......</source>
        <translation>Status ......</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Progress</source>
        <translation>Progress</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Date </source>
        <translation>Date </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Electrical Measurement Experts  </source>
        <translation>Electrical Measurement Experts  </translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Vol</source>
        <translation>Vol</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Amp </source>
        <translation>Amp </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Power</source>
        <translation>Power</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Vpeak</source>
        <translation>Vpeak</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ipeak</source>
        <translation>Ipeak</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Frequency</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Phase</source>
        <translation>Phase</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Narrowband &amp;(Y)</source>
        <translation>Narrow Band &amp;(Y)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Broadband &amp;(Z)←</source>
        <translation>Wide Band &amp;(Z)←</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Broadband &amp;(Z)</source>
        <translation>Wide Band &amp;(Z)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%f： IEC &amp;(Y)</source>
        <translation>%f: IEC method &amp;(Y)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%r： CSA &amp;(Z)←</source>
        <translation>%r: CSA method &amp;(Z)←</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%f： IEC &amp;(Y)←</source>
        <translation>%f: IEC method &amp;(Y)←</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%r： CSA &amp;(Z)</source>
        <translation>%r: CSA method &amp;(Z)</translation>
    </message>
</context>
</TS>
