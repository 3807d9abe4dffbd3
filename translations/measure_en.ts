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
        <location line="+6"/>
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
    <message>
        <location line="+16"/>
        <source>Reference: %1</source>
        <translation>Reference: %1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reference: %1, %2 %3</source>
        <translation>Reference: %1, %2 %3</translation>
    </message>
</context>
<context>
    <name>TCompareForm</name>
    <message>
        <location filename="../src/measure/forms/Compare.cpp" line="+58"/>
        <source>Compare</source>
        <translation>Compare</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Differences</source>
        <translation>Differences</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Copy</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Export CSV...</source>
        <translation>&amp;Export CSV...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Export CSV...</source>
        <translation>Export CSV...</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Quantity</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Unit</source>
        <translation>Unit</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Live</source>
        <translation>Live</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Reference</source>
        <translation>Reference</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Difference</source>
        <translation>Difference</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Difference (%)</source>
        <translation>Difference (%)</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>No reference: choose File &gt; Set as reference (the measurement shown now) or File &gt; Load reference...</source>
        <translation>No reference: choose File &gt; Set as reference (the measurement shown now) or File &gt; Load reference...</translation>
    </message>
</context>
<context>
    <name>THarmonicForm</name>
    <message>
        <location filename="../src/measure/forms/Harmonic.cpp" line="+66"/>
        <source>THD TABLE</source>
        <translation>Harmonic Table</translation>
    </message>
    <message>
        <location filename="../src/measure/HarmonicTable.cpp" line="+54"/>
        <source>N   </source>
        <translation>N   </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Vol (rms)</source>
        <translation>Vol (rms)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Vol (content)</source>
        <translation>Vol (content)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Amp (rms)</source>
        <translation>Amp (rms)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Amp (content)</source>
        <translation>Amp (content)</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <location filename="../src/measure/forms/LanguageMenu.cpp" line="+19"/>
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
<context>
    <name>TReferenceControl</name>
    <message>
        <location filename="../src/measure/forms/Reference.cpp" line="+29"/>
        <source>measurement</source>
        <translation>measurement</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>shown measurement</source>
        <translation>shown measurement</translation>
    </message>
</context>
<context>
    <name>TVForm</name>
    <message>
        <location filename="../src/measure/forms/version.cpp" line="+58"/>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>NORVO Precision Measurement Technology Co., Ltd(%1)</source>
        <translation>NORVO Precision Measurement Technology Co., Ltd (%1)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Suzhou, China</source>
        <translation>Suzhou, China</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Version Number : KMR5150_S_02</source>
        <translation>Version number: KMR5150_S_02</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Version Title : KMR5150 Software</source>
        <translation>Version title: KMR5150 Software</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Date : 2009-9-8</source>
        <translation>Date: 2009-9-8</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Wedsite: %1</source>
        <translation>Website: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Enter</source>
        <translation>OK</translation>
    </message>
</context>
</TS>
