<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>ComplianceView</name>
    <message>
        <location filename="../src/measure/ComplianceView.cpp" line="+25"/>
        <source>Order</source>
        <translation>次数</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Limit (A)</source>
        <translation>限值 (A)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Present (A)</source>
        <translation>当前 (A)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Smoothed max (A)</source>
        <translation>平滑最大值 (A)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Average (A)</source>
        <translation>平均值 (A)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>% of limit</source>
        <translation>占限值 %</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Verdict</source>
        <translation>结论</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>below floor</source>
        <translation>低于下限</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>pass (+50 %)</source>
        <translation>合格 (+50 %)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>pass</source>
        <translation>合格</translation>
    </message>
    <message>
        <location line="+3"/>
        <location filename="../src/measure/HarmonicCompliance.cpp" line="+144"/>
        <source>FAIL</source>
        <translation>不合格</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>%1 (class %2)</source>
        <translation>%1（%2 类）</translation>
    </message>
    <message>
        <location filename="../src/measure/HarmonicCompliance.cpp" line="-2"/>
        <source>PASS</source>
        <translation>合格</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>NO LIMITS</source>
        <translation>无限值</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>NO VERDICT</source>
        <translation>无结论</translation>
    </message>
</context>
<context>
    <name>HarmonicCompliance</name>
    <message>
        <location line="+5"/>
        <source>Pre-compliance indication only: the instrument&apos;s harmonics are not an IEC 61000-4-7 grouped measurement, so this is no test certificate.</source>
        <translation>仅为预合规参考：仪器的谐波并非 IEC 61000-4-7 的分组测量，因此不能作为测试证书。</translation>
    </message>
    <message>
        <location line="+63"/>
        <source>no measurement to assess</source>
        <translation>没有可评估的测量</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>%1 measurement(s) refused: values that are not numbers or times that do not follow one another</source>
        <translation>拒收 %1 次测量：数值无效或时间不连续</translation>
    </message>
    <message>
        <location line="+17"/>
        <source>no limits apply below %1 W</source>
        <translation>低于 %1 W 不适用限值</translation>
    </message>
    <message>
        <location line="+60"/>
        <source> (class A limits above 600 W)</source>
        <translation>（600 W 以上按 A 类限值）</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>order %1: a smoothed value of %2 is %3 of its limit %4 (150 % allowed)</source>
        <translation>第 %1 次：平滑值 %2 为其限值 %4 的 %3（允许 150 %）</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>order %1: the average %2 is %3 of its limit %4%5</source>
        <translation>第 %1 次：平均值 %2 为其限值 %4 的 %3%5</translation>
    </message>
    <message>
        <location line="+5"/>
        <source> (150 % allowed)</source>
        <translation>（允许 150 %）</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>no harmonic current above the 0.6 % / 5 mA floor</source>
        <translation>没有高于 0.6 % / 5 mA 下限的谐波电流</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>every order within its limit; closest: order %1 at %2 of what is allowed%3</source>
        <translation>各次谐波均在限值内；最接近的是第 %1 次，为允许值的 %2%3</translation>
    </message>
</context>
<context>
    <name>MeasurementFile</name>
    <message>
        <location filename="../src/measure/MeasurementFile.cpp" line="+38"/>
        <source>a folder</source>
        <translation>一个文件夹</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>a pipe</source>
        <translation>一个管道</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>a device</source>
        <translation>一个设备</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>a socket</source>
        <translation>一个套接字</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>not a plain file</source>
        <translation>一个非普通文件</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>&quot;%1&quot; is %2, not a file</source>
        <translation>“%1”是%2，不是文件</translation>
    </message>
    <message>
        <location line="+81"/>
        <source>The file is too short for a measurement file: it has %1 bytes, a measurement file has %2 bytes</source>
        <translation>文件太短，不是测量文件：它有 %1 字节，测量文件有 %2 字节</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>This is not a measurement file: it has %1 bytes, a measurement file has exactly %2 bytes</source>
        <translation>这不是测量文件：它有 %1 字节，测量文件正好有 %2 字节</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Read beyond end of file</source>
        <translation>读取超出文件末尾</translation>
    </message>
    <message>
        <location line="+77"/>
        <source>Norvo测量文件(.vqm)|*.vqm</source>
        <translation>Norvo 测量文件(.vqm)|*.vqm</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>NorvoFile|*.vqm|AllFile|*.*</source>
        <translation>Norvo 测量文件|*.vqm|所有文件|*.*</translation>
    </message>
</context>
<context>
    <name>PaneGeometry</name>
    <message>
        <location filename="../src/measure/PaneGeometry.cpp" line="+133"/>
        <source>SEC/DIV:%1ms   Vol/DIV:%2V   Amp/DIV:%3A   Trigger Source:Vol</source>
        <translation>时间/格：%1ms   电压/格：%2V   电流/格：%3A   触发源：电压</translation>
    </message>
</context>
<context>
    <name>PaneOverlays</name>
    <message>
        <location filename="../src/measure/PaneOverlays.cpp" line="+121"/>
        <source>scale: live</source>
        <translation>标尺：当前测量</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>scale: Vol live, Amp reference</source>
        <translation>标尺：电压按当前测量，电流按参考测量</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>scale: Vol reference, Amp live</source>
        <translation>标尺：电压按参考测量，电流按当前测量</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>scale: reference</source>
        <translation>标尺：参考测量</translation>
    </message>
</context>
<context>
    <name>Reference</name>
    <message>
        <location filename="../src/measure/Reference.cpp" line="+18"/>
        <source>This is not a measurement file: its sample count is %1, a measurement has %2 samples</source>
        <translation>这不是测量文件：其采样点数为 %1，测量应有 %2 个采样点</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Reference: %1</source>
        <translation>参考测量：%1</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reference: %1, %2 %3</source>
        <translation>参考测量：%1，%2 %3</translation>
    </message>
</context>
<context>
    <name>TCompareForm</name>
    <message>
        <location filename="../src/measure/forms/Compare.cpp" line="+58"/>
        <source>Compare</source>
        <translation>比较</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Differences</source>
        <translation>差值</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Copy</source>
        <translation>复制(&amp;C)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Export CSV...</source>
        <translation>导出 CSV(&amp;E)...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Export CSV...</source>
        <translation>导出 CSV...</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Quantity</source>
        <translation>量</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Unit</source>
        <translation>单位</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Live</source>
        <translation>当前测量</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Reference</source>
        <translation>参考测量</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Difference</source>
        <translation>差值</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Difference (%)</source>
        <translation>差值 (%)</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>No reference: choose File &gt; Set as reference (the measurement shown now) or File &gt; Load reference...</source>
        <translation>没有参考测量：请选择“文件 &gt; 设为参考测量”（当前显示的测量）或“文件 &gt; 载入参考测量...”</translation>
    </message>
</context>
<context>
    <name>TComplianceForm</name>
    <message>
        <location filename="../src/measure/forms/Compliance.cpp" line="+33"/>
        <source>Continuous sampling is not running: measurements are taken once it runs (Run &gt; Continuous Sampling).</source>
        <translation>连续采样未运行：运行后才采集测量（运行 &gt; 连续采样）。</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Observing: each measurement of continuous sampling is taken.</source>
        <translation>观察中：连续采样的每次测量都会被采集。</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Class A</source>
        <translation>A 类</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Class B</source>
        <translation>B 类</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Class C (lighting)</source>
        <translation>C 类（照明）</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Class D (PC, TV, ≤ 600 W)</source>
        <translation>D 类（电脑、电视，≤ 600 W）</translation>
    </message>
    <message>
        <location line="+126"/>
        <source>Harmonic compliance</source>
        <translation>谐波合规</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Emission class</source>
        <translation>发射类别</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>measured</source>
        <translation>测量值</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rated power (W)</source>
        <translation>额定功率 (W)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>S&amp;tart</source>
        <translation>开始(&amp;T)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>St&amp;op</source>
        <translation>停止(&amp;O)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Reset</source>
        <translation>重置(&amp;R)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Assess &amp;file...</source>
        <translation>评估文件(&amp;F)...</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Print...</source>
        <translation>打印(&amp;P)...</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Show the limits on the current spectrum</source>
        <translation>在电流频谱上显示限值(&amp;S)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show the limits on the current spectrum</source>
        <translation>在电流频谱上显示限值</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Harmonic orders</source>
        <translation>谐波次数</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Share of the limit by order</source>
        <translation>各次谐波占限值的比例</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Class:</source>
        <translation>类别：</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Rated power (W):</source>
        <translation>额定功率 (W)：</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>The rated power must be a positive number of watts, or empty for the measured power.</source>
        <translation>额定功率必须是正的瓦数，留空则用测量的功率。</translation>
    </message>
    <message>
        <location line="+46"/>
        <source>Stopped after %1 measurement(s).</source>
        <translation>已停止，共 %1 次测量。</translation>
    </message>
    <message>
        <location line="+34"/>
        <source>%1 assessed as a period of one measurement.</source>
        <translation>已将 %1 作为单次测量的观察期评估。</translation>
    </message>
    <message>
        <location line="+50"/>
        <source>Period %1, %2 measurement(s)</source>
        <translation>观察期 %1，%2 次测量</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1, power %2 W (rated)</source>
        <translation>%1，功率 %2 W（额定）</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>%1, power %2 W (measured)</source>
        <translation>%1，功率 %2 W（测量）</translation>
    </message>
</context>
<context>
    <name>THarmonicForm</name>
    <message>
        <location filename="../src/measure/forms/Harmonic.cpp" line="+66"/>
        <source>THD TABLE</source>
        <translation>谐波表</translation>
    </message>
    <message>
        <location filename="../src/measure/HarmonicTable.cpp" line="+54"/>
        <source>N   </source>
        <translation>次数   </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Vol (rms)</source>
        <translation>电压 (有效值)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Vol (content)</source>
        <translation>电压 (含量)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Amp (rms)</source>
        <translation>电流 (有效值)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Amp (content)</source>
        <translation>电流 (含量)</translation>
    </message>
</context>
<context>
    <name>TMainForm</name>
    <message>
        <location filename="../src/measure/forms/LanguageMenu.cpp" line="+19"/>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <location filename="../src/measure/forms/Main.cpp" line="+74"/>
        <source>NORVO Precision Measurement Technology</source>
        <translation>NORVO 精密测量技术</translation>
    </message>
    <message>
        <location line="+164"/>
        <source>Failed,The machine is not connected! </source>
        <translation>失败：仪器未连接！</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>No program on this computer opens PDF documents. Open the handbook with a PDF viewer of your choice:

%1</source>
        <translation>本机没有能打开 PDF 文档的程序。请用您选择的 PDF 阅读器打开使用手册：

%1</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>No web browser could be started. Open this address in a browser of your choice:

%1</source>
        <translation>无法启动网页浏览器。请在您选择的浏览器中打开此地址：

%1</translation>
    </message>
    <message>
        <location filename="../src/measure/forms/MainParts.cpp" line="+158"/>
        <source> WAVE </source>
        <translation> 波形 </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Parameter </source>
        <translation>参数 </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>   UTHD  </source>
        <translation>   电压谐波  </translation>
    </message>
    <message>
        <location line="+0"/>
        <source>   ITHD  </source>
        <translation>   电流谐波  </translation>
    </message>
    <message>
        <location filename="../src/measure/MainControls.cpp" line="+21"/>
        <source>File(&amp;F)</source>
        <translation>文件(&amp;F)</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+55"/>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <location line="-54"/>
        <location line="+55"/>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <location line="-54"/>
        <source>Export CSV...</source>
        <translation>导出 CSV...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Set as reference</source>
        <translation>设为参考测量</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Load reference...</source>
        <translation>载入参考测量...</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Clear reference</source>
        <translation>清除参考测量</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+47"/>
        <source>Print</source>
        <translation>打印</translation>
    </message>
    <message>
        <location line="-45"/>
        <source>Exit</source>
        <translation>退出</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Option (&amp;O)</source>
        <translation>选项(&amp;O)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Communication</source>
        <translation>通讯</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Style</source>
        <translation>风格</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Alarm</source>
        <translation>报警</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>校准 </source>
        <translation>校准 </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Bandwidth</source>
        <translation>带宽</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+80"/>
        <source>Narrowband &amp;(Y)←</source>
        <translation>窄频 &amp;(Y)←</translation>
    </message>
    <message>
        <location line="-79"/>
        <source>Wide Band &amp;(Z)</source>
        <translation>宽频 &amp;(Z)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>THD</source>
        <translation>总谐波失真</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%f： IEC方式 &amp;(Y)←</source>
        <translation>%f： IEC方式 &amp;(Y)←</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%r： CSA方式 &amp;(Z)</source>
        <translation>%r： CSA方式 &amp;(Z)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>CT</source>
        <translation>外部互感器</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Compare</source>
        <translation>比较</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Harmonic compliance</source>
        <translation>谐波合规</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Run (&amp;P)</source>
        <translation>运行(&amp;P)</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+24"/>
        <source>Single Sampling</source>
        <translation>单次采样</translation>
    </message>
    <message>
        <location line="-23"/>
        <location line="+24"/>
        <source>Continuous Sampling</source>
        <translation>连续采样</translation>
    </message>
    <message>
        <location line="-23"/>
        <location line="+24"/>
        <source>Stop </source>
        <translation>停止 </translation>
    </message>
    <message>
        <location line="-22"/>
        <location line="+19"/>
        <source>Starting Test</source>
        <translation>启动测试</translation>
    </message>
    <message>
        <location line="-17"/>
        <location line="+16"/>
        <source>Harmonic Table</source>
        <translation>谐波表</translation>
    </message>
    <message>
        <location line="-14"/>
        <location line="+13"/>
        <source>Record</source>
        <translation>记录</translation>
    </message>
    <message>
        <location line="-12"/>
        <source>Help(&amp;H)</source>
        <translation>帮助(&amp;H)</translation>
    </message>
    <message>
        <location line="+1"/>
        <location line="+10"/>
        <source>Edition</source>
        <translation>版本</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>Norvo Website </source>
        <translation>Norvo 网站 </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Handbook </source>
        <translation>使用手册 </translation>
    </message>
    <message>
        <location line="+17"/>
        <source>Communication ......</source>
        <translation>通讯……</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Status ......</source>
        <translation>状态……</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Progress</source>
        <translation>进度</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Date </source>
        <translation>日期 </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Electrical Measurement Experts  </source>
        <translation>电测量专家  </translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Vol</source>
        <translation>电压</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Amp </source>
        <translation>电流 </translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Power</source>
        <translation>功率</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Vpeak</source>
        <translation>电压峰值</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Ipeak</source>
        <translation>电流峰值</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Frequency</source>
        <translation>频率</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Phase</source>
        <translation>初相角</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>Narrowband &amp;(Y)</source>
        <translation>窄频 &amp;(Y)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Broadband &amp;(Z)←</source>
        <translation>宽频 &amp;(Z)←</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Broadband &amp;(Z)</source>
        <translation>宽频 &amp;(Z)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%f： IEC &amp;(Y)</source>
        <translation>%f： IEC方式 &amp;(Y)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%r： CSA &amp;(Z)←</source>
        <translation>%r： CSA方式 &amp;(Z)←</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%f： IEC &amp;(Y)←</source>
        <translation>%f： IEC方式 &amp;(Y)←</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>%r： CSA &amp;(Z)</source>
        <translation>%r： CSA方式 &amp;(Z)</translation>
    </message>
</context>
<context>
    <name>TReferenceControl</name>
    <message>
        <location filename="../src/measure/forms/Reference.cpp" line="+29"/>
        <source>measurement</source>
        <translation>测量</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>shown measurement</source>
        <translation>当前显示的测量</translation>
    </message>
</context>
<context>
    <name>TVForm</name>
    <message>
        <location filename="../src/measure/forms/version.cpp" line="+58"/>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>NORVO Precision Measurement Technology Co., Ltd(%1)</source>
        <translation>NORVO 精密测量技术有限公司（%1）</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Suzhou, China</source>
        <translation>中国苏州</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Version Number : KMR5150_S_02</source>
        <translation>版本号：KMR5150_S_02</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Version Title : KMR5150 Software</source>
        <translation>版本名称：KMR5150 软件</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Date : 2009-9-8</source>
        <translation>日期：2009-9-8</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Wedsite: %1</source>
        <translation>网址：%1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Enter</source>
        <translation>确定</translation>
    </message>
</context>
<context>
    <name>TWaveCursorControl</name>
    <message>
        <location filename="../src/measure/forms/WaveCursorControl.cpp" line="+22"/>
        <source>Cursor readout</source>
        <translation>光标读数</translation>
    </message>
</context>
</TS>
