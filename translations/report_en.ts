<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ComplianceReport</name>
    <message>
        <location filename="../src/report/ComplianceReport.cpp" line="+121"/>
        <source>Emission class: </source>
        <translation>Emission class: </translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Power used: </source>
        <translation>Power used: </translation>
    </message>
    <message>
        <location line="+3"/>
        <source> (rated)</source>
        <translation> (rated)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> (measured)</source>
        <translation> (measured)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>, class A limits above 600 W</source>
        <translation>, class A limits above 600 W</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Observation period: %1, %2 measurement(s)</source>
        <translation>Observation period: %1, %2 measurement(s)</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>第1页</source>
        <translation>Page 1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Harmonic Compliance Report</source>
        <translation>Harmonic Compliance Report</translation>
    </message>
</context>
<context>
    <name>MeasurementReport</name>
    <message>
        <location filename="../src/report/MeasurementReport.cpp" line="+144"/>
        <source>   Report</source>
        <translation>   Report</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Measurement</source>
        <translation>Measurement</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+177"/>
        <source>第1页</source>
        <translation>Page 1</translation>
    </message>
    <message>
        <location line="-168"/>
        <location line="+196"/>
        <source> Sample waveform </source>
        <translation> Sampled waves </translation>
    </message>
    <message>
        <location line="-157"/>
        <source> Voltage harmonic </source>
        <translation> Voltage harmonic </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Current harmonic </source>
        <translation> Current harmonic </translation>
    </message>
    <message>
        <location line="+55"/>
        <location line="+124"/>
        <source> Harmonic content </source>
        <translation> Harmonic content </translation>
    </message>
    <message>
        <location line="-104"/>
        <source>Voltage</source>
        <translation>Voltage</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Current</source>
        <translation>Current</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+169"/>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <location line="-167"/>
        <location line="+2"/>
        <location line="+166"/>
        <location line="+2"/>
        <source>RMS</source>
        <translation>RMS</translation>
    </message>
    <message>
        <location line="-166"/>
        <location line="+2"/>
        <location line="+163"/>
        <location line="+2"/>
        <source>Percent</source>
        <translation>Percent</translation>
    </message>
    <message>
        <location line="-127"/>
        <source>Measurement Report</source>
        <translation>Measurement Report</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Project Name：</source>
        <translation>Project Name: </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Licenser: </source>
        <translation>Licenser: </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Operator：</source>
        <translation>Operator: </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Temperature: </source>
        <translation>Temperature: </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Date: </source>
        <translation>Date: </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Instruments: Norvo KMR5150</source>
        <translation>Instrument: Norvo KMR5150</translation>
    </message>
    <message>
        <location line="+8"/>
        <source> Voltage Harmonic  </source>
        <translation> Voltage Harmonic  </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Current Harmonic </source>
        <translation> Current Harmonic </translation>
    </message>
    <message>
        <location line="+88"/>
        <source>Vol</source>
        <translation>Voltage</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Amp</source>
        <translation>Current</translation>
    </message>
</context>
<context>
    <name>QtPrinter</name>
    <message>
        <location filename="../src/report/forms/QtPrinter.cpp" line="+28"/>
        <source>Printer Setting</source>
        <translation>Printer Setting</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>No printer is installed. Choose &quot;Print to File (PDF)&quot; in &quot;Printer Setting&quot; to print the report to a PDF file.</source>
        <translation>No printer is installed. Choose &quot;Print to File (PDF)&quot; in &quot;Printer Setting&quot; to print the report to a PDF file.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Cannot write %1: %2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The printer &quot;%1&quot; cannot start the print job &quot;%2&quot;.</source>
        <translation>The printer &quot;%1&quot; cannot start the print job &quot;%2&quot;.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The print system refused the print job &quot;%1&quot;.</source>
        <translation>The print system refused the print job &quot;%1&quot;.</translation>
    </message>
</context>
<context>
    <name>RecordReport</name>
    <message>
        <location filename="../src/report/RecordReport.cpp" line="+216"/>
        <source>   Report</source>
        <translation>   Report</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Record</source>
        <translation>Record</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>第1页</source>
        <translation>Page 1</translation>
    </message>
    <message>
        <location line="+67"/>
        <source>Time/DIV=%1S</source>
        <translation>Time/DIV=%1S</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>CH%1/DIV=</source>
        <translation>CH%1/DIV=</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Channel Signal Description:</source>
        <translation>Channel Signal Description:</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+112"/>
        <source>CH%1: </source>
        <translation>CH%1: </translation>
    </message>
    <message>
        <location line="-102"/>
        <location line="+124"/>
        <source>点</source>
        <translation> samples</translation>
    </message>
    <message>
        <location line="-121"/>
        <source>Note:</source>
        <translation>Note:</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Icons were positive overflow and negative overflow flags, when a channel overflow, in the upper right corner and lower right corner of a corresponding color of the icon.</source>
        <translation>The icons mark positive and negative overflow: when a channel overflows, an icon of its colour shows in the upper or lower right corner.</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Project Name :</source>
        <translation>Project Name: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Licenser：</source>
        <translation>Licenser: </translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+106"/>
        <source>Operator：</source>
        <translation>Operator: </translation>
    </message>
    <message>
        <location line="-105"/>
        <source>测试日期：</source>
        <translation>Test date: </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>1.Instrument：Norvo KMR5150</source>
        <translation>1.Instrument: Norvo KMR5150</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Temperature：</source>
        <translation>Temperature: </translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Record Report</source>
        <translation>Record Report</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Channel Description：</source>
        <translation>Channel Description: </translation>
    </message>
    <message>
        <location line="+40"/>
        <source>Project Name: </source>
        <translation>Project Name: </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Licenser: </source>
        <translation>Licenser: </translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Temperature: </source>
        <translation>Temperature: </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Date: </source>
        <translation>Date: </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>1.Instrument: Norvo KMR5150</source>
        <translation>1.Instrument: Norvo KMR5150</translation>
    </message>
</context>
<context>
    <name>ReportPainting</name>
    <message>
        <location filename="../src/report/ReportPainting.cpp" line="+245"/>
        <source>Project Name：</source>
        <translation>Project Name: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Licenser：</source>
        <translation>Licenser: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Operator：</source>
        <translation>Operator: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>测试日期：</source>
        <translation>Test date: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1.Instrument: Norvo KMR5150</source>
        <translation>1.Instrument: Norvo KMR5150</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Temperature: </source>
        <translation>Temperature: </translation>
    </message>
</context>
<context>
    <name>ReportTexts</name>
    <message>
        <location filename="../src/report/ReportTexts.cpp" line="+41"/>
        <source> Voltage(trms)： </source>
        <translation> Voltage (TRMS): </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Voltage(TRMS)： </source>
        <translation> Voltage (TRMS): </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Voltage Peak：  </source>
        <translation> Peak voltage:  </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Voltage Peak:   </source>
        <translation> Peak voltage:   </translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source> Frequency：     </source>
        <translation> Frequency:     </translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source> Current(trms)： </source>
        <translation> Current (TRMS): </translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source> Current Peak：  </source>
        <translation> Peak current:  </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Current Phase ：</source>
        <translation> Phase angle: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Current Phase： </source>
        <translation> Phase angle: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Active Power ： </source>
        <translation> Active power: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>  Active Power： </source>
        <translation>  Active power: </translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source> Power Factor：  </source>
        <translation> Power factor:  </translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source> Apparent power：</source>
        <translation> Apparent power: </translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source> Reactive power：</source>
        <translation> Reactive power: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Voltage form factor:</source>
        <translation> Voltage crest factor: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Voltage form factor：</source>
        <translation> Voltage crest factor: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Current form factor:</source>
        <translation> Current crest factor: </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Current form factor：</source>
        <translation> Current crest factor: </translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source> UTHD：         </source>
        <translation> Voltage THD:  </translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source> ITHD：         </source>
        <translation> Current THD:  </translation>
    </message>
</context>
<context>
    <name>TEnterInfoForm</name>
    <message>
        <location filename="../src/report/forms/EnterInfo.cpp" line="+79"/>
        <source>输入打印信息</source>
        <translation>Print Information</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Project Name </source>
        <translation>Project Name </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Licenser</source>
        <translation>Licenser</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Operator</source>
        <translation>Operator</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Temperature</source>
        <translation>Temperature</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Enter</source>
        <translation>OK</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Exit </source>
        <translation>Exit </translation>
    </message>
</context>
<context>
    <name>TPrinterForm</name>
    <message>
        <location filename="../src/report/forms/Print.cpp" line="+148"/>
        <source>PrinterForm</source>
        <translation>Print</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Info</source>
        <translation>Information</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Printer Setting</source>
        <translation>Printer Setting</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Printing      </source>
        <translation>Print      </translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Print reference traces</source>
        <translation>Print reference traces</translation>
    </message>
</context>
</TS>
