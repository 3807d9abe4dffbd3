<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ComplianceReport</name>
    <message>
        <location filename="../src/report/ComplianceReport.cpp" line="+121"/>
        <source>Emission class: </source>
        <translation>发射类别：</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Power used: </source>
        <translation>所用功率：</translation>
    </message>
    <message>
        <location line="+3"/>
        <source> (rated)</source>
        <translation>（额定）</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> (measured)</source>
        <translation>（实测）</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>, class A limits above 600 W</source>
        <translation>，600 W 以上按 A 类限值</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Observation period: %1, %2 measurement(s)</source>
        <translation>观测时段：%1，%2 次测量</translation>
    </message>
    <message>
        <location line="+27"/>
        <source>第1页</source>
        <translation>第1页</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Harmonic Compliance Report</source>
        <translation>谐波合规报告</translation>
    </message>
</context>
<context>
    <name>MeasurementReport</name>
    <message>
        <location filename="../src/report/MeasurementReport.cpp" line="+144"/>
        <source>   Report</source>
        <translation>报告</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Measurement</source>
        <translation>测量</translation>
    </message>
    <message>
        <location line="+4"/>
        <location line="+177"/>
        <source>第1页</source>
        <translation>第1页</translation>
    </message>
    <message>
        <location line="-168"/>
        <location line="+196"/>
        <source> Sample waveform </source>
        <translation> 采样波形 </translation>
    </message>
    <message>
        <location line="-157"/>
        <source> Voltage harmonic </source>
        <translation> 电压谐波 </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Current harmonic </source>
        <translation> 电流谐波 </translation>
    </message>
    <message>
        <location line="+55"/>
        <location line="+124"/>
        <source> Harmonic content </source>
        <translation> 谐波含量 </translation>
    </message>
    <message>
        <location line="-104"/>
        <source>Voltage</source>
        <translation>电压</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Current</source>
        <translation>电流</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+169"/>
        <source>N</source>
        <translation>次数</translation>
    </message>
    <message>
        <location line="-167"/>
        <location line="+2"/>
        <location line="+166"/>
        <location line="+2"/>
        <source>RMS</source>
        <translation>有效值</translation>
    </message>
    <message>
        <location line="-166"/>
        <location line="+2"/>
        <location line="+163"/>
        <location line="+2"/>
        <source>Percent</source>
        <translation>百分比</translation>
    </message>
    <message>
        <location line="-127"/>
        <source>Measurement Report</source>
        <translation>测量报告</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Project Name：</source>
        <translation>项目名称：</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Licenser: </source>
        <translation>委托单位：</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Operator：</source>
        <translation>操作员：</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Temperature: </source>
        <translation>温度：</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Date: </source>
        <translation>日期：</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Instruments: Norvo KMR5150</source>
        <translation>仪器：Norvo KMR5150</translation>
    </message>
    <message>
        <location line="+8"/>
        <source> Voltage Harmonic  </source>
        <translation> 电压谐波  </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Current Harmonic </source>
        <translation> 电流谐波 </translation>
    </message>
    <message>
        <location line="+88"/>
        <source>Vol</source>
        <translation>电压</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Amp</source>
        <translation>电流</translation>
    </message>
</context>
<context>
    <name>QtPrinter</name>
    <message>
        <location filename="../src/report/forms/QtPrinter.cpp" line="+28"/>
        <source>Printer Setting</source>
        <translation>打印机设置</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>No printer is installed. Choose &quot;Print to File (PDF)&quot; in &quot;Printer Setting&quot; to print the report to a PDF file.</source>
        <translation>没有安装打印机。请在“打印机设置”中选择“Print to File (PDF)”，把报告打印成 PDF 文件。</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Cannot write %1: %2</source>
        <translation>无法写入 %1：%2</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>The printer &quot;%1&quot; cannot start the print job &quot;%2&quot;.</source>
        <translation>打印机“%1”无法开始打印任务“%2”。</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The print system refused the print job &quot;%1&quot;.</source>
        <translation>打印系统拒绝了打印任务“%1”。</translation>
    </message>
</context>
<context>
    <name>RecordReport</name>
    <message>
        <location filename="../src/report/RecordReport.cpp" line="+216"/>
        <source>   Report</source>
        <translation>报告</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Record</source>
        <translation>记录</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>第1页</source>
        <translation>第1页</translation>
    </message>
    <message>
        <location line="+67"/>
        <source>Time/DIV=%1S</source>
        <translation>时间/格=%1S</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>CH%1/DIV=</source>
        <translation>CH%1/格=</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Channel Signal Description:</source>
        <translation>通道信号说明：</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+112"/>
        <source>CH%1: </source>
        <translation>CH%1：</translation>
    </message>
    <message>
        <location line="-102"/>
        <location line="+124"/>
        <source>点</source>
        <translation>点</translation>
    </message>
    <message>
        <location line="-121"/>
        <source>Note:</source>
        <translation>注：</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Icons were positive overflow and negative overflow flags, when a channel overflow, in the upper right corner and lower right corner of a corresponding color of the icon.</source>
        <translation>图标为正溢出和负溢出标志：通道溢出时，右上角或右下角显示该通道颜色的图标。</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>Project Name :</source>
        <translation>项目名称：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Licenser：</source>
        <translation>委托单位：</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+106"/>
        <source>Operator：</source>
        <translation>操作员：</translation>
    </message>
    <message>
        <location line="-105"/>
        <source>测试日期：</source>
        <translation>测试日期：</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>1.Instrument：Norvo KMR5150</source>
        <translation>1.仪器：Norvo KMR5150</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Temperature：</source>
        <translation>温度：</translation>
    </message>
    <message>
        <location line="+39"/>
        <source>Record Report</source>
        <translation>记录报告</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Channel Description：</source>
        <translation>通道说明：</translation>
    </message>
    <message>
        <location line="+40"/>
        <source>Project Name: </source>
        <translation>项目名称：</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Licenser: </source>
        <translation>委托单位：</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Temperature: </source>
        <translation>温度：</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Date: </source>
        <translation>日期：</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>1.Instrument: Norvo KMR5150</source>
        <translation>1.仪器：Norvo KMR5150</translation>
    </message>
</context>
<context>
    <name>ReportPainting</name>
    <message>
        <location filename="../src/report/ReportPainting.cpp" line="+245"/>
        <source>Project Name：</source>
        <translation>项目名称：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Licenser：</source>
        <translation>委托单位：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Operator：</source>
        <translation>操作员：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>测试日期：</source>
        <translation>测试日期：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>1.Instrument: Norvo KMR5150</source>
        <translation>1.仪器：Norvo KMR5150</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Temperature: </source>
        <translation>温度：</translation>
    </message>
</context>
<context>
    <name>ReportTexts</name>
    <message>
        <location filename="../src/report/ReportTexts.cpp" line="+41"/>
        <source> Voltage(trms)： </source>
        <translation> 电压（有效值）： </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Voltage(TRMS)： </source>
        <translation> 电压（有效值）： </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Voltage Peak：  </source>
        <translation> 电压峰值：  </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Voltage Peak:   </source>
        <translation> 电压峰值：   </translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source> Frequency：     </source>
        <translation> 频率：     </translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source> Current(trms)： </source>
        <translation> 电流（有效值）： </translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source> Current Peak：  </source>
        <translation> 电流峰值：  </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Current Phase ：</source>
        <translation> 初相角：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Current Phase： </source>
        <translation> 初相角： </translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Active Power ： </source>
        <translation> 有功功率： </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>  Active Power： </source>
        <translation>  有功功率： </translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source> Power Factor：  </source>
        <translation> 功率因数：  </translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source> Apparent power：</source>
        <translation> 视在功率：</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source> Reactive power：</source>
        <translation> 无功功率：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Voltage form factor:</source>
        <translation> 电压峰值因数：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Voltage form factor：</source>
        <translation> 电压峰值因数：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Current form factor:</source>
        <translation> 电流峰值因数：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source> Current form factor：</source>
        <translation> 电流峰值因数：</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source> UTHD：         </source>
        <translation> 电压THD：  </translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+1"/>
        <source> ITHD：         </source>
        <translation> 电流THD：  </translation>
    </message>
</context>
<context>
    <name>TEnterInfoForm</name>
    <message>
        <location filename="../src/report/forms/EnterInfo.cpp" line="+79"/>
        <source>输入打印信息</source>
        <translation>输入打印信息</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Project Name </source>
        <translation>项目名称 </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Licenser</source>
        <translation>委托单位</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Operator</source>
        <translation>操作员</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Date</source>
        <translation>日期</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Temperature</source>
        <translation>温度</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Enter</source>
        <translation>确定</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Exit </source>
        <translation>退出</translation>
    </message>
</context>
<context>
    <name>TPrinterForm</name>
    <message>
        <location filename="../src/report/forms/Print.cpp" line="+148"/>
        <source>PrinterForm</source>
        <translation>打印</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Info</source>
        <translation>信息</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Printer Setting</source>
        <translation>打印机设置</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Printing      </source>
        <translation>打印      </translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Print reference traces</source>
        <translation>打印参考测量曲线</translation>
    </message>
</context>
</TS>
