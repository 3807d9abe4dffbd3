<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ComplianceView</name>
    <message>
        <location filename="../src/measure/ComplianceView.cpp" line="+25"/>
        <source>Order</source>
        <translation>Order</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Limit (A)</source>
        <translation>Limit (A)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Present (A)</source>
        <translation>Present (A)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Smoothed max (A)</source>
        <translation>Smoothed max (A)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Average (A)</source>
        <translation>Average (A)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>% of limit</source>
        <translation>% of limit</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Verdict</source>
        <translation>Verdict</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>below floor</source>
        <translation>below floor</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>pass (+50 %)</source>
        <translation>pass (+50 %)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>pass</source>
        <translation>pass</translation>
    </message>
    <message>
        <location line="+3"/>
        <location filename="../src/measure/HarmonicCompliance.cpp" line="+144"/>
        <source>FAIL</source>
        <translation>FAIL</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 (class %2)</source>
        <translation>%1 (class %2)</translation>
    </message>
    <message>
        <location filename="../src/measure/HarmonicCompliance.cpp" line="-2"/>
        <source>PASS</source>
        <translation>PASS</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>NO LIMITS</source>
        <translation>NO LIMITS</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>NO VERDICT</source>
        <translation>NO VERDICT</translation>
    </message>
</context>
<context>
    <name>HarmonicCompliance</name>
    <message>
        <location line="+5"/>
        <source>Pre-compliance indication only: the instrument&apos;s harmonics are not an IEC 61000-4-7 grouped measurement, so this is no test certificate.</source>
        <translation>Pre-compliance indication only: the instrument&apos;s harmonics are not an IEC 61000-4-7 grouped measurement, so this is no test certificate.</translation>
    </message>
    <message>
        <location line="+63"/>
        <source>no measurement to assess</source>
        <translation>no measurement to assess</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 measurement(s) refused: values that are not numbers or times that do not follow one another</source>
        <translation>%1 measurement(s) refused: values that are not numbers or times that do not follow one another</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>no limits apply below %1 W</source>
        <translation>no limits apply below %1 W</translation>
    </message>
    <message>
        <location line="+60"/>
        <source> (class A limits above 600 W)</source>
        <translation> (class A limits above 600 W)</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>order %1: a smoothed value of %2 is %3 of its limit %4 (150 % allowed)</source>
        <translation>order %1: a smoothed value of %2 is %3 of its limit %4 (150 % allowed)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>order %1: the average %2 is %3 of its limit %4%5</source>
        <translation>order %1: the average %2 is %3 of its limit %4%5</translation>
    </message>
    <message>
        <location line="+5"/>
        <source> (150 % allowed)</source>
        <translation> (150 % allowed)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>no harmonic current above the 0.6 % / 5 mA floor</source>
        <translation>no harmonic current above the 0.6 % / 5 mA floor</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>every order within its limit; closest: order %1 at %2 of what is allowed%3</source>
        <translation>every order within its limit; closest: order %1 at %2 of what is allowed%3</translation>
    </message>
</context>
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
    <message>
        <location line="+77"/>
        <source>Norvo测量文件(.vqm)|*.vqm</source>
        <translation>Norvo measurement file (.vqm)|*.vqm</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>NorvoFile|*.vqm|AllFile|*.*</source>
        <translation>Norvo measurement file|*.vqm|All files|*.*</translation>
    </message>
</context>
<context>
    <name>PaneGeometry</name>
    <message>
        <location filename="../src/measure/PaneGeometry.cpp" line="+133"/>
        <source>SEC/DIV:%1ms   Vol/DIV:%2V   Amp/DIV:%3A   Trigger Source:Vol</source>
        <translation>SEC/DIV:%1ms   Vol/DIV:%2V   Amp/DIV:%3A   Trigger Source:Vol</translation>
    </message>
</context>
<context>
    <name>PaneOverlays</name>
    <message>
        <location filename="../src/measure/PaneOverlays.cpp" line="+121"/>
        <source>scale: live</source>
        <translation>scale: live</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>scale: Vol live, Amp reference</source>
        <translation>scale: voltage live, current reference</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>scale: Vol reference, Amp live</source>
        <translation>scale: voltage reference, current live</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>scale: reference</source>
        <translation>scale: reference</translation>
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
    <name>TComplianceForm</name>
    <message>
        <location filename="../src/measure/forms/Compliance.cpp" line="+33"/>
        <source>Continuous sampling is not running: measurements are taken once it runs (Run &gt; Continuous Sampling).</source>
        <translation>Continuous sampling is not running: measurements are taken once it runs (Run &gt; Continuous Sampling).</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Observing: each measurement of continuous sampling is taken.</source>
        <translation>Observing: each measurement of continuous sampling is taken.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Class A</source>
        <translation>Class A</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Class B</source>
        <translation>Class B</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Class C (lighting)</source>
        <translation>Class C (lighting)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Class D (PC, TV, ≤ 600 W)</source>
        <translation>Class D (PC, TV, ≤ 600 W)</translation>
    </message>
    <message>
        <location line="+126"/>
        <source>Harmonic compliance</source>
        <translation>Harmonic compliance</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Emission class</source>
        <translation>Emission class</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>measured</source>
        <translation>measured</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rated power (W)</source>
        <translation>Rated power (W)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>S&amp;tart</source>
        <translation>S&amp;tart</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>St&amp;op</source>
        <translation>St&amp;op</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Reset</source>
        <translation>&amp;Reset</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Assess &amp;file...</source>
        <translation>Assess &amp;file...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Print...</source>
        <translation>&amp;Print...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Show the limits on the current spectrum</source>
        <translation>&amp;Show the limits on the current spectrum</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show the limits on the current spectrum</source>
        <translation>Show the limits on the current spectrum</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Harmonic orders</source>
        <translation>Harmonic orders</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Share of the limit by order</source>
        <translation>Share of the limit by order</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Class:</source>
        <translation>Class:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rated power (W):</source>
        <translation>Rated power (W):</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>The rated power must be a positive number of watts, or empty for the measured power.</source>
        <translation>The rated power must be a positive number of watts, or empty for the measured power.</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Stopped after %1 measurement(s).</source>
        <translation>Stopped after %1 measurement(s).</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>%1 assessed as a period of one measurement.</source>
        <translation>%1 assessed as a period of one measurement.</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Period %1, %2 measurement(s)</source>
        <translation>Period %1, %2 measurement(s)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1, power %2 W (rated)</source>
        <translation>%1, power %2 W (rated)</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1, power %2 W (measured)</source>
        <translation>%1, power %2 W (measured)</translation>
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
        <location filename="../src/measure/forms/Main.cpp" line="+74"/>
        <source>NORVO Precision Measurement Technology</source>
        <translation>NORVO Precision Measurement Technology</translation>
    </message>
    <message>
        <location line="+164"/>
        <source>Failed,The machine is not connected! </source>
        <translation>Failed: the instrument is not connected!</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>No program on this computer opens PDF documents. Open the handbook with a PDF viewer of your choice:

%1</source>
        <translation>No program on this computer opens PDF documents. Open the handbook with a PDF viewer of your choice:

%1</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>No web browser could be started. Open this address in a browser of your choice:

%1</source>
        <translation>No web browser could be started. Open this address in a browser of your choice:

%1</translation>
    </message>
    <message>
        <location filename="../src/measure/forms/MainParts.cpp" line="+158"/>
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
<context>
    <name>TWaveCursorControl</name>
    <message>
        <location filename="../src/measure/forms/WaveCursorControl.cpp" line="+22"/>
        <source>Cursor readout</source>
        <translation>Cursor readout</translation>
    </message>
</context>
</TS>
