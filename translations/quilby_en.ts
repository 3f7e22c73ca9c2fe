<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ko">
<context>
    <name>AboutDialog</name>
    <message>
        <location filename="../src/help/qt/AboutDialog.cpp" line="15"/>
        <source>POS Keyboard  정보</source>
        <translation>About POS Keyboard</translation>
    </message>
    <message>
        <location filename="../src/help/qt/AboutDialog.cpp" line="26"/>
        <source>POS Keyboard Utility 버전 %1</source>
        <translation>POS Keyboard Utility version %1</translation>
    </message>
    <message>
        <location filename="../src/help/qt/AboutDialog.cpp" line="35"/>
        <source>확인(OK)</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CautionNotes</name>
    <message>
        <location filename="../src/app/CautionNotes.cpp" line="8"/>
        <source>* 포스 키보드 유틸리티 주의 사항 *</source>
        <translation>* POS Keyboard Utility: Notes *</translation>
    </message>
    <message>
        <location filename="../src/app/CautionNotes.cpp" line="9"/>
        <source>  1. 취소(ESC)           : 작업 취소!</source>
        <translation>  1. Cancel (Esc)       : discards the work.</translation>
    </message>
    <message>
        <location filename="../src/app/CautionNotes.cpp" line="10"/>
        <source>  2. 확인(OK)             : 작업 완료!</source>
        <translation>  2. OK                 : finishes the work.</translation>
    </message>
    <message>
        <location filename="../src/app/CautionNotes.cpp" line="11"/>
        <source>  3. [← : BackSpace] : 입력된 키 삭제!</source>
        <translation>  3. [← : Backspace]   : deletes the last keystroke.</translation>
    </message>
    <message>
        <location filename="../src/app/CautionNotes.cpp" line="12"/>
        <source>  4. [Alt] + [F6] 키만 동시에 누르지 말고, 따로 순서적으로 누름!</source>
        <translation>  4. Do not press [Alt] + [F6] together: press them one after the other.</translation>
    </message>
    <message>
        <location filename="../src/app/CautionNotes.cpp" line="14"/>
        <source>  5. 보조키를 먼저 누른 채 다음 키를 눌러 주는 방식으로 동시 입력!</source>
        <translation>  5. For a combination, hold the modifier key down, then press the next key.</translation>
    </message>
    <message>
        <location filename="../src/app/CautionNotes.cpp" line="16"/>
        <source>  6. 모든 키는 정확히 눌러 주세요!</source>
        <translation>  6. Press every key exactly.</translation>
    </message>
    <message>
        <location filename="../src/app/CautionNotes.cpp" line="17"/>
        <source>  7. [EPROM &amp; MCR 체크]에서 [MCR 적용]을 클릭후</source>
        <translation>  7. After clicking [Apply MCR] in [EPROM &amp; MCR Check],</translation>
    </message>
    <message>
        <location filename="../src/app/CautionNotes.cpp" line="18"/>
        <source>      꼭, EPROM 버전 및 체크썸 실행해야 MCR 헤더코드 적용됩니다.</source>
        <translation>      run the EPROM version and checksum check: only then is the MCR head code applied.</translation>
    </message>
    <message>
        <location filename="../src/app/CautionNotes.cpp" line="20"/>
        <source>  8. 특수키 참조는 도움말의 [특수키 조합] 참조!</source>
        <translation>  8. For the special keys, see [Special Key Combinations].</translation>
    </message>
    <message>
        <location filename="../src/app/CautionNotes.cpp" line="21"/>
        <source>  9. DOS용 key파일 및 윈도우용 key파일은 서로 호환됩니다.</source>
        <translation>  9. Key files for DOS and for Windows are interchangeable.</translation>
    </message>
    <message>
        <location filename="../src/app/CautionNotes.cpp" line="22"/>
        <source>10. 파일 저장시 파일확장자는 [.key]로 지정됩니다.</source>
        <translation>10. Saved files get the extension [.key].</translation>
    </message>
    <message>
        <location filename="../src/app/CautionNotes.cpp" line="23"/>
        <source>11. Default 값을 사용 시 [Default.key] 로드.</source>
        <translation>11. To use the default values, load [Default.key].</translation>
    </message>
    <message>
        <location filename="../src/app/CautionNotes.cpp" line="24"/>
        <source>      Default.key 내용을 확인할 때 도움말의 [Default.key 보기] 클릭</source>
        <translation>      To see what Default.key holds, click [Show Default.key].</translation>
    </message>
    <message>
        <location filename="../src/app/CautionNotes.cpp" line="26"/>
        <source>12. 기능키 라벨 프린트 가능(글꼴: 새굴림)-작업내용과 별개</source>
        <translation>12. Function key labels can be printed (font: NewGulim), apart from the key table.</translation>
    </message>
    <message>
        <location filename="../src/app/CautionNotes.cpp" line="28"/>
        <source>13. 출력되지 않거나 입력시 소리가 나면 입력 불가능 입니다!</source>
        <translation>13. A key that shows nothing or beeps when pressed cannot be entered.</translation>
    </message>
    <message>
        <location filename="../src/app/CautionNotes.cpp" line="29"/>
        <source>14. 사용 환경 : Linux (Debian 12, x86-64), POS 키보드는 PS/2 포트에 연결</source>
        <translation>14. Runs on Linux (Debian 12, x86-64); the POS keyboard is connected to the PS/2 port.</translation>
    </message>
    <message>
        <location filename="../src/app/CautionNotes.cpp" line="31"/>
        <source>15. 상기 이외의 내용은 [유틸리티 도움말] 참조.</source>
        <translation>15. For anything else, see [Utility Help].</translation>
    </message>
</context>
<context>
    <name>Command</name>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="11"/>
        <source>새 파일(&amp;N)	Ctrl+N</source>
        <translation>&amp;New	Ctrl+N</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="12"/>
        <source>새 문서를 작성합니다</source>
        <translation>Create a new document</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="13"/>
        <source>새 파일</source>
        <translation>New</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="16"/>
        <source>열기(&amp;O)...	Ctrl+O</source>
        <translation>&amp;Open...	Ctrl+O</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="17"/>
        <source>기존 문서를 엽니다</source>
        <translation>Open an existing document</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="18"/>
        <source>열기</source>
        <translation>Open</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="21"/>
        <source>저장(&amp;S)	Ctrl+S</source>
        <translation>&amp;Save	Ctrl+S</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="22"/>
        <source>현재 열린 문서를 저장합니다</source>
        <translation>Save the active document</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="23"/>
        <source>저장</source>
        <translation>Save</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="26"/>
        <source>다른 이름으로 저장(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="27"/>
        <source>현재 열린 문서를 다른 이름으로 저장합니다</source>
        <translation>Save the active document under a new name</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="28"/>
        <source>다른 이름으로 저장</source>
        <translation>Save As</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="31"/>
        <source>가져오기(&amp;M)...</source>
        <translation>I&amp;mport...</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="32"/>
        <source>JSON 또는 CSV 파일의 키 표를 새 문서로 가져옵니다</source>
        <translation>Import a key table from a JSON or CSV file as a new document</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="33"/>
        <source>가져오기</source>
        <translation>Import</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="36"/>
        <source>내보내기(&amp;T)...</source>
        <translation>Expor&amp;t...</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="37"/>
        <source>키 표를 JSON 또는 CSV 파일로 저장합니다</source>
        <translation>Save the key table as a JSON or CSV file</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="38"/>
        <source>내보내기</source>
        <translation>Export</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="41"/>
        <source>인쇄(&amp;P)...	Ctrl+P</source>
        <translation>&amp;Print...	Ctrl+P</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="42"/>
        <source>현재 열린 문서를 인쇄합니다</source>
        <translation>Print the active document</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="43"/>
        <source>인쇄</source>
        <translation>Print</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="46"/>
        <source>인쇄 미리 보기(&amp;V)</source>
        <translation>Print Pre&amp;view</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="47"/>
        <source>쪽 전체를 표시합니다</source>
        <translation>Display full pages</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="48"/>
        <source>인쇄 미리 보기</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="51"/>
        <source>인쇄 설정(&amp;R)...</source>
        <translation>P&amp;rint Setup...</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="52"/>
        <source>프린터와 인쇄 옵션을 변경합니다</source>
        <translation>Change the printer and printing options</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="53"/>
        <source>인쇄 설정</source>
        <translation>Print Setup</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="55"/>
        <source>키 배치 인쇄(&amp;L)...</source>
        <translation>Print &amp;Layout...</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="56"/>
        <source>키 배치 미리 보기(&amp;Y)</source>
        <translation>La&amp;yout Preview</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="58"/>
        <source>키 배치 PDF로 내보내기(&amp;E)...</source>
        <translation>&amp;Export Layout as PDF...</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="59"/>
        <source>키 배치를 PDF 파일로 저장합니다</source>
        <translation>Save the key layout as a PDF file</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="60"/>
        <source>PDF로 내보내기</source>
        <translation>Export as PDF</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="63"/>
        <source>키 목록도 인쇄(&amp;I)</source>
        <translation>&amp;Include Key List</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="64"/>
        <source>키 배치 다음 쪽에 모든 키의 설정 목록을 함께 인쇄합니다</source>
        <translation>Print the settings of every key on the pages after the layout</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="65"/>
        <source>키 목록</source>
        <translation>Key List</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="69"/>
        <source>최근 파일</source>
        <translation>Recent Files</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="70"/>
        <source>이 문서를 엽니다</source>
        <translation>Open this document</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="74"/>
        <source>종료(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="75"/>
        <source>응용 프로그램을 종료하기 위해 문서를 저장할 것인지 묻습니다</source>
        <translation>Quit the application; prompts to save the document</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="76"/>
        <source>종료</source>
        <translation>Exit</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="79"/>
        <source>실행 취소(&amp;U)	Ctrl+Z</source>
        <translation>&amp;Undo	Ctrl+Z</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="80"/>
        <source>마지막 작업을 취소합니다</source>
        <translation>Undo the last action</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="81"/>
        <source>실행 취소</source>
        <translation>Undo</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="84"/>
        <source>다시 실행(&amp;R)	Ctrl+Y</source>
        <translation>&amp;Redo	Ctrl+Y</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="85"/>
        <source>취소한 작업을 다시 실행합니다</source>
        <translation>Redo the previously undone action</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="86"/>
        <source>다시 실행</source>
        <translation>Redo</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="89"/>
        <source>잘라내기(&amp;T)	Ctrl+X</source>
        <translation>Cu&amp;t	Ctrl+X</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="90"/>
        <source>선택한 키의 설정을 잘라내어 클립보드에 넣습니다</source>
        <translation>Cut the selected key&apos;s settings and put them on the clipboard</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="91"/>
        <source>잘라내기</source>
        <translation>Cut</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="94"/>
        <source>복사(&amp;C)	Ctrl+C</source>
        <translation>&amp;Copy	Ctrl+C</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="95"/>
        <source>선택한 키의 설정을 클립보드에 복사합니다</source>
        <translation>Copy the selected key&apos;s settings to the clipboard</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="96"/>
        <source>복사</source>
        <translation>Copy</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="99"/>
        <source>붙여넣기(&amp;P)	Ctrl+V</source>
        <translation>&amp;Paste	Ctrl+V</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="100"/>
        <source>클립보드의 설정으로 선택한 키를 바꿉니다</source>
        <translation>Replace the selected key&apos;s settings with the clipboard&apos;s</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="101"/>
        <source>붙여넣기</source>
        <translation>Paste</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="104"/>
        <source>삭제(&amp;D)	Del</source>
        <translation>&amp;Delete	Del</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="105"/>
        <source>선택한 키의 설정을 지웁니다</source>
        <translation>Clear the selected key&apos;s settings</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="106"/>
        <source>삭제</source>
        <translation>Delete</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="109"/>
        <source>특수키 조합(&amp;K)...</source>
        <translation>Special &amp;Key Combinations...</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="110"/>
        <source>특수키 조합!</source>
        <translation>Show the special key combinations</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="111"/>
        <source>특수키</source>
        <translation>Special Keys</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="114"/>
        <source>[Default.key] 보기(&amp;S)...</source>
        <translation>&amp;Show [Default.key]...</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="115"/>
        <source>[Default.key] 파일 내용을 보여줍니다!</source>
        <translation>Show what the [Default.key] file holds</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="116"/>
        <source>Default</source>
        <translation>Default</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="119"/>
        <source>EPROM &amp;&amp; MCR 체크(&amp;R)</source>
        <translation>EPROM &amp;&amp; MC&amp;R Check</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="120"/>
        <source>MCR 헤더코드 적용 및 EPROM 버전 그리고 체크썸을 확인합니다!</source>
        <translation>Apply the MCR head code and check the EPROM version and checksum</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="121"/>
        <source>EPROM 확인</source>
        <translation>EPROM Check</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="124"/>
        <source>키 편집(&amp;E)</source>
        <translation>&amp;Edit Keys</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="125"/>
        <source>키설정을  편집합니다!</source>
        <translation>Edit the key settings</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="126"/>
        <source>편집</source>
        <translation>Edit</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="129"/>
        <source>다운로드(&amp;D)</source>
        <translation>&amp;Download</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="130"/>
        <source>현재 작업한 내용을 POS 키보드에 다운로드합니다!</source>
        <translation>Download the current work into the POS keyboard</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="131"/>
        <source>다운로드</source>
        <translation>Download</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="134"/>
        <source>키 테스트(&amp;T)...</source>
        <translation>Key &amp;Tester...</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="135"/>
        <source>POS 키보드의 키를 눌러 다운로드된 설정을 확인합니다</source>
        <translation>Press keys on the POS keyboard to check the downloaded settings</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="136"/>
        <source>키 테스트</source>
        <translation>Key Tester</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="139"/>
        <source>다운로드 기록(&amp;H)...</source>
        <translation>Download &amp;History...</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="140"/>
        <source>지금까지의 다운로드와 그때 보낸 표를 보여줍니다</source>
        <translation>Show the downloads so far and the tables they sent</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="141"/>
        <source>다운로드 기록</source>
        <translation>Download History</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="144"/>
        <source>다른 파일과 비교(&amp;C)...</source>
        <translation>&amp;Compare with Another File...</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="145"/>
        <source>다른 키 파일과 다른 키를 키 배치에 표시합니다</source>
        <translation>Mark the keys that differ from another key file in the key layout</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="146"/>
        <source>다른 파일과 비교</source>
        <translation>Compare with Another File</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="149"/>
        <source>도구 모음(&amp;T)</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="150"/>
        <source>도구 모음을 보이거나 감춥니다</source>
        <translation>Show or hide the toolbar</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="151"/>
        <source>도구 모음 전환</source>
        <translation>Toggle Toolbar</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="155"/>
        <source>상태 표시줄(&amp;S)</source>
        <translation>&amp;Status Bar</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="156"/>
        <source>상태 표시줄을 표시하거나 감춥니다</source>
        <translation>Show or hide the status bar</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="157"/>
        <source>상태 표시줄 전환</source>
        <translation>Toggle Status Bar</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="161"/>
        <source>키 배치(&amp;L)</source>
        <translation>Key &amp;Layout</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="162"/>
        <source>키보드 모양으로 키 배치를 보여줍니다</source>
        <translation>Show the key layout in the shape of the keyboard</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="163"/>
        <source>키 배치</source>
        <translation>Key Layout</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="167"/>
        <source>모의 POS 키보드(&amp;K)</source>
        <translation>Simulated POS &amp;Keyboard</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="168"/>
        <source>모의 POS 키보드 창을 다시 엽니다</source>
        <translation>Reopen the simulated POS keyboard window</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="169"/>
        <source>모의 POS 키보드</source>
        <translation>Simulated POS Keyboard</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="173"/>
        <source>한국어(&amp;O)</source>
        <translation>K&amp;orean (한국어)</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="174"/>
        <source>다음 시작부터 창을 한국어로 표시합니다</source>
        <translation>Show the windows in Korean from the next start</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="179"/>
        <source>English(&amp;E)</source>
        <translation>&amp;English</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="180"/>
        <source>다음 시작부터 창을 영어로 표시합니다</source>
        <translation>Show the windows in English from the next start</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="185"/>
        <source>유틸리티 도움말(&amp;H)...</source>
        <translation>Utility &amp;Help...</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="186"/>
        <source>유틸리티 도움말을 보여줍니다! </source>
        <translation>Show the utility&apos;s help</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="187"/>
        <source>유틸리티 도움말</source>
        <translation>Utility Help</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="190"/>
        <source>POS Keyboard 정보(&amp;A)...</source>
        <translation>&amp;About POS Keyboard...</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="191"/>
        <source>프로그램 정보와 버전 정보, 저작권 정보를 표시합니다</source>
        <translation>Display program information, version and copyright</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="192"/>
        <source>정보</source>
        <translation>About</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="194"/>
        <source>POS Keyboard 버전확인(&amp;C)...</source>
        <translation>POS Keyboard Version &amp;Check...</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="213"/>
        <source>파일(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="218"/>
        <source>편집(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="220"/>
        <source>POS-KBD(&amp;P)</source>
        <translation>&amp;POS-KBD</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="223"/>
        <source>보기(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.cpp" line="226"/>
        <source>도움말(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.h" line="89"/>
        <source>실행 취소(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.h" line="90"/>
        <source>다시 실행(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.h" line="107"/>
        <source>선택한 언어는 프로그램을 다시 시작하면 적용됩니다.</source>
        <translation>The chosen language takes effect when you restart the program.</translation>
    </message>
    <message>
        <location filename="../src/app/CommandTable.h" line="109"/>
        <source>준비</source>
        <translation>Ready</translation>
    </message>
</context>
<context>
    <name>DefaultKeyGrid</name>
    <message>
        <location filename="../src/layout/DefaultKeyGrid.cpp" line="156"/>
        <source>POS Keyboard [Default.key]</source>
        <translation>POS Keyboard [Default.key]</translation>
    </message>
    <message>
        <location filename="../src/layout/DefaultKeyGrid.cpp" line="173"/>
        <source>English: ＼  Korean:\   BS:BackSpace   ○ : Long Cab : NULL</source>
        <translation>English: ＼  Korean:\   BS:BackSpace   ○ : Long Cab : NULL</translation>
    </message>
    <message>
        <location filename="../src/layout/DefaultKeyGrid.cpp" line="176"/>
        <source>확인(OK)</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>EntryClipboard</name>
    <message>
        <location filename="../src/editing/EntryClipboard.cpp" line="221"/>
        <source>형식이 맞지 않습니다.</source>
        <translation>The text is not in the expected format.</translation>
    </message>
    <message>
        <location filename="../src/editing/EntryClipboard.cpp" line="223"/>
        <source>&quot;워드 라벨&quot; 형식이 아닙니다.</source>
        <translation>The line is not in the form &quot;word label&quot;.</translation>
    </message>
    <message>
        <location filename="../src/editing/EntryClipboard.cpp" line="225"/>
        <source>키 이름에 쓸 수 없는 글자가 있습니다.</source>
        <translation>The key name holds a character that cannot be used.</translation>
    </message>
    <message>
        <location filename="../src/editing/EntryClipboard.cpp" line="227"/>
        <source>알 수 없는 워드 %1입니다.</source>
        <translation>Unknown word %1.</translation>
    </message>
    <message>
        <location filename="../src/editing/EntryClipboard.cpp" line="229"/>
        <source>한 키에는 20개까지만 넣을 수 있습니다.</source>
        <translation>A key holds at most 20 keystrokes.</translation>
    </message>
    <message>
        <location filename="../src/editing/EntryClipboard.cpp" line="231"/>
        <source>키 이름이 15바이트를 넘습니다.</source>
        <translation>The key name is longer than 15 bytes.</translation>
    </message>
    <message>
        <location filename="../src/editing/EntryClipboard.cpp" line="233"/>
        <source>키 이름에 제어 문자가 있습니다.</source>
        <translation>The key name holds a control character.</translation>
    </message>
    <message>
        <location filename="../src/editing/EntryClipboard.cpp" line="235"/>
        <source>단어 %1의 키 이름이 아닙니다. 다른 이름의 키 설정은 이 프로그램에서 복사한 것만 붙여 넣을 수 있습니다.</source>
        <translation>This is not the key name of word %1. Settings with other names can only be pasted when they were copied in this program.</translation>
    </message>
    <message>
        <location filename="../src/editing/EntryClipboard.cpp" line="241"/>
        <source>붙여 넣을 키 설정이 없습니다.</source>
        <translation>There are no key settings to paste.</translation>
    </message>
    <message>
        <location filename="../src/editing/EntryClipboard.h" line="50"/>
        <source>%1번째 줄: %2</source>
        <translation>Line %1: %2</translation>
    </message>
</context>
<context>
    <name>FileError</name>
    <message>
        <location filename="../src/document/FileIo.cpp" line="148"/>
        <source>파일이나 폴더가 없습니다.</source>
        <translation>No such file or folder.</translation>
    </message>
    <message>
        <location filename="../src/document/FileIo.cpp" line="151"/>
        <source>접근 권한이 없습니다.</source>
        <translation>Permission denied.</translation>
    </message>
    <message>
        <location filename="../src/document/FileIo.cpp" line="153"/>
        <source>읽기 전용 파일 시스템입니다.</source>
        <translation>The file system is read-only.</translation>
    </message>
    <message>
        <location filename="../src/document/FileIo.cpp" line="155"/>
        <source>파일이 아니라 폴더입니다.</source>
        <translation>This is a folder, not a file.</translation>
    </message>
    <message>
        <location filename="../src/document/FileIo.cpp" line="158"/>
        <source>디스크 공간이 부족합니다.</source>
        <translation>The disk is full.</translation>
    </message>
    <message>
        <location filename="../src/document/FileIo.cpp" line="160"/>
        <source>파일이 너무 커서 키 파일일 수 없습니다.</source>
        <translation>The file is too large to be a key file.</translation>
    </message>
    <message>
        <location filename="../src/document/FileIo.cpp" line="162"/>
        <source>일반 파일이 아닙니다.</source>
        <translation>This is not a regular file.</translation>
    </message>
    <message>
        <location filename="../src/document/FileIo.cpp" line="164"/>
        <source>경로의 일부가 폴더가 아닙니다.</source>
        <translation>Part of the path is not a folder.</translation>
    </message>
    <message>
        <location filename="../src/document/FileIo.cpp" line="166"/>
        <source>파일 이름이 너무 깁니다.</source>
        <translation>The file name is too long.</translation>
    </message>
    <message>
        <location filename="../src/document/FileIo.cpp" line="168"/>
        <source>입출력 오류가 발생했습니다.</source>
        <translation>An input/output error occurred.</translation>
    </message>
</context>
<context>
    <name>FindingTexts</name>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="50"/>
        <source>워드</source>
        <translation>word</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="50"/>
        <source>코드</source>
        <translation>code</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="53"/>
        <source>줄 끝이 CR LF입니다 (LF와 같이 읽습니다)</source>
        <translation>Line ends are CR LF (read like LF)</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="55"/>
        <source>위치 %1의 %2 줄이 다음 줄로 이어집니다</source>
        <translation>The %2 row of position %1 continues on the next line</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="57"/>
        <source>위치 %1의 %2 줄에 값이 %3개 있습니다: 20번째 뒤의 값은 버렸습니다</source>
        <translation>The %2 row of position %1 has %3 values: the values after the 20th were dropped</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="61"/>
        <source>위치 %1의 개수 %2이(가) 0에서 20 사이를 벗어납니다: %3(으)로 읽었습니다</source>
        <translation>The count %2 of position %1 is outside 0 to 20: read as %3</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="68"/>
        <source>워드 값 %1을(를) 16비트로 잘랐습니다</source>
        <translation>Word value %1 was cut to 16 bits</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="70"/>
        <source>라벨 바이트 %1이(가) %2에서 %3 사이를 벗어납니다</source>
        <translation>Label byte %1 is outside %2 to %3</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="75"/>
        <source>코드 값 %1을(를) 8비트로 잘랐습니다</source>
        <translation>Code value %1 was cut to 8 bits</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="79"/>
        <source>위치 %1의 개수 줄이 %2입니다: 구조가 밀렸을 수 있습니다</source>
        <translation>The count line of position %1 is %2: the structure may have shifted</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="83"/>
        <source>%1은(는) 숫자가 아닙니다 (%2(으)로 읽었습니다)</source>
        <translation>%1 is not a number (read as %2)</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="86"/>
        <source>위치 %1의 라벨 다음 줄이 비어 있지 않습니다: 구조가 밀렸을 수 있습니다</source>
        <translation>The line after the labels of position %1 is not empty: the structure may have shifted</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="88"/>
        <source>파일이 일찍 끝납니다: 98개 위치 중 %1개만 온전하고, 나머지는 빈 것으로 읽었습니다</source>
        <translation>The file ends early: only %1 of the 98 positions are complete, the rest were read as empty</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="92"/>
        <source>98번째 위치 뒤에 데이터가 있습니다 (무시했습니다)</source>
        <translation>There is data after the 98th position (ignored)</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="94"/>
        <source>마지막 위치 뒤에 DOS 파일 끝 바이트(0x1A)가 있습니다</source>
        <translation>A DOS end-of-file byte (0x1A) follows the last position</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="96"/>
        <source>파일이 비어 있습니다: 키 테이블이 없습니다</source>
        <translation>The file is empty: it holds no key table</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="98"/>
        <source>위치 %1의 라벨에 제어 바이트가 있습니다: %2</source>
        <translation>The label of position %1 holds control bytes: %2</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="100"/>
        <source>위치 %1의 라벨이 코드 페이지 949 텍스트가 아닙니다: %2</source>
        <translation>The label of position %1 is not code page 949 text: %2</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="103"/>
        <source>위치 %1의 라벨 줄에 값이 %2개로 15개를 넘습니다: %3</source>
        <translation>The label line of position %1 has %2 values, more than 15: %3</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="111"/>
        <source>키 테이블 파일로 보기에 이상한 점이 있습니다:</source>
        <translation>Something looks wrong for a key table file:</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="114"/>
        <source>파일은 열었지만, 다운로드하거나 저장하기 전에 내용을 확인하십시오.</source>
        <translation>The file was opened, but check its contents before you download or save it.</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="122"/>
        <source>줄 %1: %2</source>
        <translation>Line %1: %2</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="126"/>
        <source>그 밖에 %1건</source>
        <translation>%1 more</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="133"/>
        <location filename="../src/document/qt/FindingTexts.cpp" line="141"/>
        <source>이 파일을 열 때 이상한 점이 있었습니다:</source>
        <translation>Something looked wrong when this file was opened:</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="135"/>
        <source>이 파일에 저장하면 원래 내용이 잘못 읽었을 수 있는 내용으로 바뀝니다. 다른 이름으로 저장하시겠습니까?</source>
        <translation>Saving to this file replaces its original contents with contents that may have been misread. Do you want to save under another name?</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="143"/>
        <source>잘못 읽었을 수 있는 키 테이블을 키보드로 보내시겠습니까?</source>
        <translation>Send a key table that may have been misread to the keyboard?</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="149"/>
        <source>%1
파일을 저장할 수 없습니다: 파일 크기 제한을 넘습니다.</source>
        <translation>%1
The file cannot be saved: it exceeds the file size limit.</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="153"/>
        <source>%1
파일을 읽을 수 없습니다: %2</source>
        <translation>%1
The file cannot be read: %2</translation>
    </message>
    <message>
        <location filename="../src/document/qt/FindingTexts.cpp" line="154"/>
        <source>%1
파일을 저장할 수 없습니다: %2</source>
        <translation>%1
The file cannot be saved: %2</translation>
    </message>
</context>
<context>
    <name>KeyChords</name>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="9"/>
        <source>  PrintScreen</source>
        <translation>  PrintScreen</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="9"/>
        <source>Ctrl + Shift + A</source>
        <translation>Ctrl + Shift + A</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="10"/>
        <source>  ScrollLock</source>
        <translation>  ScrollLock</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="10"/>
        <source>Ctrl + Shift + B</source>
        <translation>Ctrl + Shift + B</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="11"/>
        <source>  Pause</source>
        <translation>  Pause</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="11"/>
        <source>Ctrl + Shift + C</source>
        <translation>Ctrl + Shift + C</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="12"/>
        <source>  NumLock</source>
        <translation>  NumLock</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="12"/>
        <source>Ctrl + Shift + D</source>
        <translation>Ctrl + Shift + D</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="13"/>
        <source>  CapsLock</source>
        <translation>  CapsLock</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="13"/>
        <source>Ctrl + Shift + E</source>
        <translation>Ctrl + Shift + E</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="14"/>
        <source>  Left Ctrl</source>
        <translation>  Left Ctrl</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="14"/>
        <source>Ctrl + Shift + F</source>
        <translation>Ctrl + Shift + F</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="15"/>
        <source>  Right Ctrl</source>
        <translation>  Right Ctrl</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="15"/>
        <source>Ctrl + Shift + G</source>
        <translation>Ctrl + Shift + G</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="16"/>
        <source>  Left Alt</source>
        <translation>  Left Alt</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="16"/>
        <source>Ctrl + Shift + H</source>
        <translation>Ctrl + Shift + H</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="17"/>
        <source>  Right Alt</source>
        <translation>  Right Alt</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="17"/>
        <source>Ctrl + Shift + I</source>
        <translation>Ctrl + Shift + I</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="18"/>
        <source>  Esc</source>
        <translation>  Esc</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="18"/>
        <source>Ctrl + Shift + J</source>
        <translation>Ctrl + Shift + J</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="19"/>
        <source>  Left Shift</source>
        <translation>  Left Shift</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="19"/>
        <source>Ctrl + Shift + K</source>
        <translation>Ctrl + Shift + K</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="20"/>
        <source>  Right Shift</source>
        <translation>  Right Shift</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="20"/>
        <source>Ctrl + Shift + L</source>
        <translation>Ctrl + Shift + L</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="21"/>
        <source>  Back Space</source>
        <translation>  Back Space</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="21"/>
        <source>Ctrl + Shift + M</source>
        <translation>Ctrl + Shift + M</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="22"/>
        <source>  Up Arrow</source>
        <translation>  Up Arrow</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="22"/>
        <source>Ctrl + Shift + N</source>
        <translation>Ctrl + Shift + N</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="23"/>
        <source>  Down Arrow</source>
        <translation>  Down Arrow</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="23"/>
        <source>Ctrl + Shift + O</source>
        <translation>Ctrl + Shift + O</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="24"/>
        <source>  Left Arrow</source>
        <translation>  Left Arrow</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="24"/>
        <source>Ctrl + Shift + P</source>
        <translation>Ctrl + Shift + P</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="25"/>
        <source>  Right Arrow</source>
        <translation>  Right Arrow</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="25"/>
        <source>Ctrl + Shift + Q</source>
        <translation>Ctrl + Shift + Q</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="26"/>
        <source>  00</source>
        <translation>  00</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="26"/>
        <source>Ctrl + Shift + R</source>
        <translation>Ctrl + Shift + R</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="27"/>
        <source>  000</source>
        <translation>  000</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="27"/>
        <source>Ctrl + Shift + S</source>
        <translation>Ctrl + Shift + S</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="28"/>
        <source>  Ctrl+Alt+Del</source>
        <translation>  Ctrl+Alt+Del</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="28"/>
        <source>Ctrl + Shift + T</source>
        <translation>Ctrl + Shift + T</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="29"/>
        <source>  Left Window</source>
        <translation>  Left Window</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="29"/>
        <source>Ctrl + Shift + U</source>
        <translation>Ctrl + Shift + U</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="30"/>
        <source>  Right Window</source>
        <translation>  Right Window</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="30"/>
        <source>Ctrl + Shift + V</source>
        <translation>Ctrl + Shift + V</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="31"/>
        <source>  한/영</source>
        <translation>  Han/Eng</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="31"/>
        <source>Ctrl + Shift + W</source>
        <translation>Ctrl + Shift + W</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="32"/>
        <source>  Application</source>
        <translation>  Application</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="32"/>
        <source>Ctrl + Shift + X</source>
        <translation>Ctrl + Shift + X</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="33"/>
        <source>  한자</source>
        <translation>  Hanja</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyChords.cpp" line="33"/>
        <source>Ctrl + Shift + Y</source>
        <translation>Ctrl + Shift + Y</translation>
    </message>
</context>
<context>
    <name>KeyDocument</name>
    <message>
        <location filename="../src/document/KeyDocument.h" line="21"/>
        <source>제목없음</source>
        <translation>Untitled</translation>
    </message>
</context>
<context>
    <name>KeyEditor</name>
    <message>
        <location filename="../src/editing/KeyEditor.h" line="88"/>
        <source>NEW POS keyboard : BackSpace = Input key Delete!</source>
        <translation>NEW POS keyboard : BackSpace = Input key Delete!</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyEditor.h" line="90"/>
        <source>VARO POS keyboard EDIT : BackSpace = Input key Delete!</source>
        <translation>VARO POS keyboard EDIT : BackSpace = Input key Delete!</translation>
    </message>
</context>
<context>
    <name>KeyLayoutView</name>
    <message>
        <location filename="../src/layout/qt/KeyLayoutView.cpp" line="48"/>
        <source>키 배치</source>
        <translation>Key Layout</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/KeyLayoutView.cpp" line="49"/>
        <source>화살표 키로 키를 고르고 Enter 키로 편집합니다. 메뉴 키로 편집 메뉴를 엽니다.</source>
        <translation>Choose a key with the arrow keys and press Enter to edit it. The Menu key opens the Edit commands.</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/KeyLayoutAccessible.cpp" line="39"/>
        <source>키 %1</source>
        <translation>Key %1</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/KeyLayoutAccessible.cpp" line="50"/>
        <source>입력 %1개</source>
        <translation>Keystrokes: %1</translation>
    </message>
</context>
<context>
    <name>KeyTester</name>
    <message>
        <location filename="../src/editing/KeyTester.h" line="108"/>
        <source>일치하는 키 없음</source>
        <translation>No matching key</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyTester.h" line="109"/>
        <source>키 %1</source>
        <translation>Key %1</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyTester.h" line="111"/>
        <source>(한 키에 넣을 수 있는 20개를 넘어 나누어 표시함)</source>
        <translation>(more than the 20 a key holds: shown split)</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyTester.h" line="113"/>
        <source>받을 수 없는 키 조합이라 어느 키에도 넣을 수 없음</source>
        <translation>Cannot be received: no key can hold this combination</translation>
    </message>
</context>
<context>
    <name>KeyVocabulary</name>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="230"/>
        <source>PrintScreen : Ctrl+Shift+A</source>
        <translation>PrintScreen : Ctrl+Shift+A</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="231"/>
        <source>ScrollLock  : Ctrl+Shift+B</source>
        <translation>ScrollLock  : Ctrl+Shift+B</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="232"/>
        <source>Pause       : Ctrl+Shift+C</source>
        <translation>Pause       : Ctrl+Shift+C</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="233"/>
        <source> NumLock     : Ctrl+Shift+D</source>
        <translation> NumLock     : Ctrl+Shift+D</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="234"/>
        <source>CapsLock    : Ctrl+Shift+E</source>
        <translation>CapsLock    : Ctrl+Shift+E</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="235"/>
        <source>Left Ctrl   : Ctrl+Shift+F</source>
        <translation>Left Ctrl   : Ctrl+Shift+F</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="236"/>
        <source>Right Ctrl  : Ctrl+Shift+G</source>
        <translation>Right Ctrl  : Ctrl+Shift+G</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="237"/>
        <source>Left Alt    : Ctrl+Shift+H</source>
        <translation>Left Alt    : Ctrl+Shift+H</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="238"/>
        <source>Right Alt   : Ctrl+Shift+I</source>
        <translation>Right Alt   : Ctrl+Shift+I</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="239"/>
        <source>Esc         : Ctrl+Shift+J</source>
        <translation>Esc         : Ctrl+Shift+J</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="240"/>
        <source>Left Shift  : Ctrl+Shift+K</source>
        <translation>Left Shift  : Ctrl+Shift+K</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="241"/>
        <source>Right Shift : Ctrl+Shift+L</source>
        <translation>Right Shift : Ctrl+Shift+L</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="242"/>
        <source>Back Space  : Ctrl+Shift+M</source>
        <translation>Back Space  : Ctrl+Shift+M</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="243"/>
        <source>Up Arrow    : Ctrl+Shift+N</source>
        <translation>Up Arrow    : Ctrl+Shift+N</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="244"/>
        <source>Down Arrow  : Ctrl+Shift+O</source>
        <translation>Down Arrow  : Ctrl+Shift+O</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="245"/>
        <source>Left Arrow  : Ctrl+Shift+P</source>
        <translation>Left Arrow  : Ctrl+Shift+P</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="246"/>
        <source>Right Arrow : Ctrl+Shift+Q</source>
        <translation>Right Arrow : Ctrl+Shift+Q</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="247"/>
        <source>00          : Ctrl+Shift+R</source>
        <translation>00          : Ctrl+Shift+R</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="248"/>
        <source>000         : Ctrl+Shift+S</source>
        <translation>000         : Ctrl+Shift+S</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="249"/>
        <source>Ctrl+Alt+Del: Ctrl+Shift+T</source>
        <translation>Ctrl+Alt+Del: Ctrl+Shift+T</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="250"/>
        <source>Left Window : Ctrl+Shift+U</source>
        <translation>Left Window : Ctrl+Shift+U</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="251"/>
        <source>Right Window: Ctrl+Shift+V</source>
        <translation>Right Window: Ctrl+Shift+V</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="252"/>
        <source>한/영       : Ctrl+Shift+W</source>
        <translation>Han/Eng     : Ctrl+Shift+W</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="253"/>
        <source>Application : Ctrl+Shift+X</source>
        <translation>Application : Ctrl+Shift+X</translation>
    </message>
    <message>
        <location filename="../src/editing/KeyVocabulary.cpp" line="254"/>
        <source>한자        : Ctrl+Shift+Y</source>
        <translation>Hanja       : Ctrl+Shift+Y</translation>
    </message>
</context>
<context>
    <name>LabelPrinter</name>
    <message>
        <location filename="../src/layout/qt/LabelPrinter.cpp" line="16"/>
        <source>POS Keyboard 기능키 라벨</source>
        <translation>POS Keyboard Function Key Labels</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/LabelPrinter.cpp" line="33"/>
        <source>인쇄하지 못했습니다. 프린터 설정을 확인하세요.</source>
        <translation>Printing failed. Check the printer settings.</translation>
    </message>
</context>
<context>
    <name>LabelSheet</name>
    <message>
        <location filename="../src/layout/LabelSheet.cpp" line="45"/>
        <source>엔</source>
        <translation>En</translation>
    </message>
    <message>
        <location filename="../src/layout/LabelSheet.cpp" line="46"/>
        <source>터</source>
        <translation>ter</translation>
    </message>
</context>
<context>
    <name>LayoutPage</name>
    <message>
        <location filename="../src/layout/qt/LayoutPage.cpp" line="362"/>
        <source>키</source>
        <translation>Key</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/LayoutPage.cpp" line="363"/>
        <source>워드</source>
        <translation>Word</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/LayoutPage.cpp" line="364"/>
        <source>라벨</source>
        <translation>Label</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/LayoutPage.cpp" line="413"/>
        <source>키 배치</source>
        <translation>Key Layout</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/LayoutPage.cpp" line="425"/>
        <source>키 목록</source>
        <translation>Key List</translation>
    </message>
</context>
<context>
    <name>LinkTexts</name>
    <message>
        <location filename="../src/link/LinkTexts.h" line="14"/>
        <source>POS 키보드를 눌러주세요!</source>
        <translation>Press a key on the POS keyboard!</translation>
    </message>
    <message>
        <location filename="../src/link/LinkTexts.h" line="17"/>
        <source>다운로드</source>
        <translation>Download</translation>
    </message>
    <message>
        <location filename="../src/link/LinkTexts.h" line="18"/>
        <source>       **주  의**
1. 다운로드중 벨소리가 3번 울리면 다운로드 
실패이오니 취소하고 다시 다운로드하여 주십시요!
 2. 다운로드가 완료된후 벨소리가 한번 울릴때까지
   기다려 주십시요</source>
        <translation>       ** Caution **
1. If the bell rings 3 times during the download,
the download failed: cancel it and download again!
 2. After the download, wait until
   the bell rings once.</translation>
    </message>
    <message>
        <location filename="../src/link/LinkTexts.h" line="24"/>
        <source>취소(Cancel)</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../src/link/LinkTexts.h" line="25"/>
        <source>닫기(QUIT)</source>
        <translation>Close</translation>
    </message>
    <message>
        <location filename="../src/link/LinkTexts.h" line="26"/>
        <source>Sending File .......!</source>
        <translation>Sending File .......!</translation>
    </message>
    <message>
        <location filename="../src/link/LinkTexts.h" line="27"/>
        <source>Sending Fail .......!</source>
        <translation>Sending Fail .......!</translation>
    </message>
    <message>
        <location filename="../src/link/LinkTexts.h" line="29"/>
        <source>Sending Completed!!</source>
        <translation>Sending Completed!!</translation>
    </message>
    <message>
        <location filename="../src/link/LinkTexts.h" line="30"/>
        <source>Quit Download !</source>
        <translation>Quit Download !</translation>
    </message>
    <message>
        <location filename="../src/link/LinkTexts.h" line="31"/>
        <source>다운로드 실패!!</source>
        <translation>Download failed!</translation>
    </message>
    <message>
        <location filename="../src/link/LinkTexts.h" line="33"/>
        <source>다운로드를 완성하지 못했습니다.
다시 시도해 주십시요!</source>
        <translation>The download did not complete.
Please try again!</translation>
    </message>
    <message>
        <location filename="../src/link/LinkTexts.h" line="36"/>
        <source>다운로드 실패 처음부터 다시 시작하여 주십시요 !</source>
        <translation>Download failed. Please start again from the beginning!</translation>
    </message>
    <message>
        <location filename="../src/link/LinkTexts.h" line="39"/>
        <source>다운로드 도중에 키보드가 알림을 다시 보내 다운로드가 중단되었습니다. 키보드는 벨을 3번 울리고, 보낸 내용은 키보드에 저장되지 않았습니다.

알림 키를 다시 누르면 처음부터 다시 다운로드합니다.</source>
        <translation>The keyboard sent its announcement again during the download, so the download stopped. The keyboard rings its bell 3 times and keeps nothing of what was sent.

Press the announcement key again to download from the start.</translation>
    </message>
    <message>
        <location filename="../src/link/LinkTexts.h" line="43"/>
        <source>다운로드를 취소했습니다. 키보드는 벨을 3번 울리고, 보낸 내용은 키보드에 저장되지 않았습니다.

다시 다운로드하려면 다운로드를 다시 여십시오.</source>
        <translation>The download was cancelled. The keyboard rings its bell 3 times and keeps nothing of what was sent.

To download again, open Download again.</translation>
    </message>
    <message>
        <location filename="../src/link/LinkTexts.h" line="48"/>
        <source>다운로드 도중에 잠금 키(Caps Lock, Num Lock, Scroll Lock)가 눌렸습니다. 키보드 불빛을 바꾸는 명령이 보낸 내용 사이에 끼어 키보드가 틀린 내용을 저장했을 수 있습니다.

다운로드 중에는 잠금 키를 누르지 말고 다시 다운로드하십시오.</source>
        <translation>A lock key (Caps Lock, Num Lock, Scroll Lock) was pressed during the download. The command that changes the keyboard&apos;s lights may have landed among the bytes sent, so the keyboard may have stored a wrong table.

Download again, without pressing a lock key while it runs.</translation>
    </message>
    <message>
        <location filename="../src/link/LinkTexts.h" line="52"/>
        <source>취소하시겠습니까?</source>
        <translation>Do you want to cancel?</translation>
    </message>
    <message>
        <location filename="../src/link/LinkTexts.h" line="56"/>
        <source>MCR 헤더코드 적용 및 버전 &amp; 체크썸 확인</source>
        <translation>Apply MCR Head Code and Check Version &amp; Checksum</translation>
    </message>
    <message>
        <location filename="../src/link/LinkTexts.h" line="58"/>
        <source>다운로드에 실패 했습니다. <byte value="xd"/> 다시 시도해 주십시요</source>
        <translation>The download failed. </translation>
    </message>
    <message>
        <location filename="../src/link/LinkTexts.h" line="62"/>
        <source>Pos Keyboard Version Check</source>
        <translation>Pos Keyboard Version Check</translation>
    </message>
</context>
<context>
    <name>ManualWindow</name>
    <message>
        <location filename="../src/help/qt/ManualWindow.cpp" line="65"/>
        <source>뒤로</source>
        <translation>Back</translation>
    </message>
    <message>
        <location filename="../src/help/qt/ManualWindow.cpp" line="66"/>
        <source>처음으로</source>
        <translation>Home</translation>
    </message>
    <message>
        <location filename="../src/help/qt/ManualWindow.cpp" line="68"/>
        <location filename="../src/help/qt/ManualWindow.cpp" line="70"/>
        <source>찾을 내용</source>
        <translation>Text to find</translation>
    </message>
    <message>
        <location filename="../src/help/qt/ManualWindow.cpp" line="71"/>
        <source>이전</source>
        <translation>Previous</translation>
    </message>
    <message>
        <location filename="../src/help/qt/ManualWindow.cpp" line="72"/>
        <source>다음</source>
        <translation>Next</translation>
    </message>
    <message>
        <location filename="../src/help/qt/ManualWindow.cpp" line="75"/>
        <source>웹 브라우저로 열기</source>
        <translation>Open in Web Browser</translation>
    </message>
    <message>
        <location filename="../src/help/qt/ManualWindow.cpp" line="77"/>
        <source>이 설명서를 데스크톱의 웹 브라우저로 엽니다</source>
        <translation>Open this manual in the desktop&apos;s web browser</translation>
    </message>
    <message>
        <location filename="../src/help/qt/ManualWindow.cpp" line="94"/>
        <source>유틸리티 도움말</source>
        <translation>Utility Help</translation>
    </message>
    <message>
        <location filename="../src/help/qt/ManualWindow.cpp" line="101"/>
        <source>찾기:</source>
        <translation>Find:</translation>
    </message>
    <message>
        <location filename="../src/help/qt/ManualWindow.cpp" line="161"/>
        <source>찾을 수 없습니다</source>
        <translation>Not found</translation>
    </message>
    <message>
        <location filename="../src/help/qt/ManualWindow.cpp" line="210"/>
        <source>메뉴얼을 보기 위해선 

메뉴얼 파일(%1)의 설치가 필요합니다. 

메뉴얼은 %2 자료실 에서 다운로드 하실수 있습니다.</source>
        <translation>To read the manual, 

the manual file (%1) must be installed. 

The manual can be downloaded from the %2 download area.</translation>
    </message>
    <message>
        <location filename="../src/help/qt/ManualWindow.cpp" line="216"/>
        <source>메뉴얼을 보기 위해선 

웹 브라우저(HTML 뷰어)의 설치가 필요합니다. 

메뉴얼은 %1 자료실 에서 다운로드 하실수 있습니다.</source>
        <translation>To read the manual, 

a web browser (HTML viewer) must be installed. 

The manual can be downloaded from the %1 download area.</translation>
    </message>
    <message>
        <location filename="../src/help/qt/ManualWindow.cpp" line="222"/>
        <source>메모리 오류</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <location filename="../src/help/qt/ManualWindow.cpp" line="224"/>
        <source>메뉴얼 보기 프로그램을 시작할 수 없습니다.

%1</source>
        <translation>The manual viewer could not be started.

%1</translation>
    </message>
    <message>
        <location filename="../src/help/qt/ManualWindow.cpp" line="229"/>
        <source>웹 브라우저를 여는 프로그램(%1)이 신호 %2로 끝나 설명서를 웹 브라우저로 열지 못했습니다.</source>
        <translation>The program that opens the web browser (%1) ended on signal %2, so the manual could not be opened in the web browser.</translation>
    </message>
    <message>
        <location filename="../src/help/qt/ManualWindow.cpp" line="234"/>
        <source>웹 브라우저를 여는 프로그램(%1)이 실패하여(종료 코드 %2) 설명서를 웹 브라우저로 열지 못했습니다.</source>
        <translation>The program that opens the web browser (%1) failed (exit code %2), so the manual could not be opened in the web browser.</translation>
    </message>
    <message>
        <location filename="../src/help/qt/ManualWindow.cpp" line="239"/>
        <source> 웹 브라우저가 설치되어 있는지, 화면에 연결된 세션인지 확인하여 주십시오. 설명서는 이 창에서 계속 볼 수 있습니다.</source>
        <translation> Check that a web browser is installed and that the session has a display. You can go on reading the manual in this window.</translation>
    </message>
</context>
<context>
    <name>McrOptionFile</name>
    <message>
        <location filename="../src/link/McrOptionFile.cpp" line="177"/>
        <source>현재 MCR Head Code 사용 불가 상태입니다!</source>
        <translation>The MCR head code cannot be used now!</translation>
    </message>
    <message>
        <location filename="../src/link/McrOptionFile.cpp" line="179"/>
        <source>현재 MCR Head Code  사용 안함 상태 입니다.</source>
        <translation>The MCR head code is not in use now.</translation>
    </message>
    <message>
        <location filename="../src/link/McrOptionFile.cpp" line="181"/>
        <source>현재 MCR Head Code  &apos;ff&apos; 사용 상태 입니다.</source>
        <translation>The MCR head code &apos;ff&apos; is in use now.</translation>
    </message>
    <message>
        <location filename="../src/link/McrOptionFile.cpp" line="183"/>
        <source>현재 MCR Head Code  &apos;?&apos; 사용 상태 입니다.</source>
        <translation>The MCR head code &apos;?&apos; is in use now.</translation>
    </message>
    <message>
        <location filename="../src/link/McrOptionFile.cpp" line="185"/>
        <source>현재 MCR Head Code  &apos;;&apos; 사용 상태 입니다.</source>
        <translation>The MCR head code &apos;;&apos; is in use now.</translation>
    </message>
    <message>
        <location filename="../src/link/McrOptionFile.cpp" line="194"/>
        <source>Now, MCR Head Code Disabled!</source>
        <translation>Now, MCR Head Code Disabled!</translation>
    </message>
    <message>
        <location filename="../src/link/McrOptionFile.cpp" line="196"/>
        <source>Now, MCR Head Code &apos;ff&apos; </source>
        <translation>Now, MCR Head Code &apos;ff&apos; </translation>
    </message>
    <message>
        <location filename="../src/link/McrOptionFile.cpp" line="198"/>
        <source>Now, MCR Head Code &apos;?&apos; </source>
        <translation>Now, MCR Head Code &apos;?&apos; </translation>
    </message>
    <message>
        <location filename="../src/link/McrOptionFile.cpp" line="200"/>
        <source>Now, MCR Head Code &apos;;&apos; </source>
        <translation>Now, MCR Head Code &apos;;&apos; </translation>
    </message>
</context>
<context>
    <name>Prompts</name>
    <message>
        <location filename="../src/common/qt/QtPrompts.cpp" line="20"/>
        <source>;;모든 파일 (*)</source>
        <translation>;;All Files (*)</translation>
    </message>
    <message>
        <location filename="../src/common/qt/QtPrompts.cpp" line="50"/>
        <source>%1의 변경 내용을 저장하시겠습니까?</source>
        <translation>Save changes to %1?</translation>
    </message>
    <message>
        <location filename="../src/common/qt/QtPrompts.cpp" line="51"/>
        <location filename="../src/common/qt/QtPrompts.cpp" line="125"/>
        <source>예(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <location filename="../src/common/qt/QtPrompts.cpp" line="52"/>
        <location filename="../src/common/qt/QtPrompts.cpp" line="126"/>
        <source>아니요(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <location filename="../src/common/qt/QtPrompts.cpp" line="53"/>
        <source>취소</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../src/common/qt/QtPrompts.cpp" line="65"/>
        <source>열기</source>
        <translation>Open</translation>
    </message>
    <message>
        <location filename="../src/common/qt/QtPrompts.cpp" line="69"/>
        <source>다른 이름으로 저장</source>
        <translation>Save As</translation>
    </message>
    <message>
        <location filename="../src/common/qt/QtPrompts.cpp" line="79"/>
        <source>PDF로 내보내기</source>
        <translation>Export as PDF</translation>
    </message>
    <message>
        <location filename="../src/common/qt/QtPrompts.cpp" line="90"/>
        <source>가져오기</source>
        <translation>Import</translation>
    </message>
    <message>
        <location filename="../src/common/qt/QtPrompts.cpp" line="95"/>
        <source>내보내기</source>
        <translation>Export</translation>
    </message>
    <message>
        <location filename="../src/common/qt/QtPrompts.cpp" line="118"/>
        <source>확인</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>QtLinkPrompts</name>
    <message>
        <location filename="../src/link/qt/QtLinkPrompts.cpp" line="32"/>
        <source>%1 파일이 없습니다.
찾은 폴더: %2
(프로그램은 이 파일을 만들지 않습니다.)</source>
        <translation>The file %1 does not exist.
Folder searched: %2
(The program does not create this file.)</translation>
    </message>
    <message>
        <location filename="../src/link/qt/QtLinkPrompts.cpp" line="35"/>
        <source>
기본 파일(헤드 코드 사용 안 함)을 이 폴더로 복사하십시오: %1</source>
        <translation>
Copy the default file (head code not used) into this folder: %1</translation>
    </message>
    <message>
        <location filename="../src/link/qt/QtLinkPrompts.cpp" line="42"/>
        <source>%1 파일을 읽을 수 없습니다: %2
폴더: %3</source>
        <translation>The file %1 cannot be read: %2
Folder: %3</translation>
    </message>
    <message>
        <location filename="../src/link/qt/QtLinkPrompts.cpp" line="44"/>
        <source>%1 파일에 쓸 수 없습니다: %2
폴더: %3
MCR 설정은 바뀌지 않았습니다.</source>
        <translation>The file %1 cannot be written: %2
Folder: %3
The MCR setting was not changed.</translation>
    </message>
</context>
<context>
    <name>QtLinkState</name>
    <message>
        <location filename="../src/link/qt/QtLinkState.cpp" line="12"/>
        <source>이 컴퓨터에는 포트 명령이 없음</source>
        <translation>this computer has no port instructions</translation>
    </message>
    <message>
        <location filename="../src/link/qt/QtLinkState.cpp" line="14"/>
        <source>포트 사용 권한 없음</source>
        <translation>no permission to use the port</translation>
    </message>
    <message>
        <location filename="../src/link/qt/QtLinkState.cpp" line="16"/>
        <source>키보드 컨트롤러 없음</source>
        <translation>no keyboard controller</translation>
    </message>
    <message>
        <location filename="../src/link/qt/QtLinkState.cpp" line="18"/>
        <source>포트 도우미를 실행할 수 없음</source>
        <translation>the port helper cannot be run</translation>
    </message>
    <message>
        <location filename="../src/link/qt/QtLinkState.cpp" line="22"/>
        <source>이 커널에서는 포트에 접근할 수 없음</source>
        <translation>this kernel gives no access to the port</translation>
    </message>
    <message>
        <location filename="../src/link/qt/QtLinkState.cpp" line="27"/>
        <source>POS 키보드: 모의 키보드</source>
        <translation>POS keyboard: simulated keyboard</translation>
    </message>
    <message>
        <location filename="../src/link/qt/QtLinkState.cpp" line="33"/>
        <source>POS 키보드: 포트 준비됨 (PS/2 포트의 키보드만)</source>
        <translation>POS keyboard: port ready (keyboards on the PS/2 port only)</translation>
    </message>
    <message>
        <location filename="../src/link/qt/QtLinkState.cpp" line="35"/>
        <source>POS 키보드: 포트 사용 불가 (%1)</source>
        <translation>POS keyboard: port unavailable (%1)</translation>
    </message>
    <message>
        <location filename="../src/link/qt/QtLinkState.cpp" line="46"/>
        <source>

키보드 포트(0x60)에 접근할 수 없습니다: %1.</source>
        <translation>

The keyboard port (0x60) cannot be reached: %1.</translation>
    </message>
    <message>
        <location filename="../src/link/qt/QtLinkState.cpp" line="51"/>
        <source>

키보드 포트는 quilby 그룹의 계정만 쓸 수 있습니다. 관리자가 한 번:
sudo adduser %1 quilby
그리고 다시 로그인하십시오. 그룹 밖의 계정(계산원 계정 등)은 키보드를 다시 프로그래밍할 수 없습니다.</source>
        <translation>

Only accounts in the group quilby may use the keyboard port. An administrator runs, once:
sudo adduser %1 quilby
Then log in again. Accounts outside the group (cashier accounts, for example) cannot reprogram the keyboard.</translation>
    </message>
</context>
<context>
    <name>QtPrompts</name>
    <message>
        <location filename="../src/common/qt/QtPrompts.cpp" line="136"/>
        <source>다른 이름으로 저장(&amp;A)</source>
        <translation>Save &amp;As</translation>
    </message>
    <message>
        <location filename="../src/common/qt/QtPrompts.cpp" line="138"/>
        <source>덮어쓰기(&amp;O)</source>
        <translation>&amp;Overwrite</translation>
    </message>
    <message>
        <location filename="../src/common/qt/QtPrompts.cpp" line="140"/>
        <source>취소</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <location filename="../src/common/qt/QtPrompts.cpp" line="149"/>
        <source>예(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <location filename="../src/common/qt/QtPrompts.cpp" line="150"/>
        <source>아니요(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
</context>
<context>
    <name>TableTextTexts</name>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="11"/>
        <source>JSON 표(&quot;format&quot;: &quot;quilby-key-table&quot;)도 CSV 표(머리글 position,keys,spare)도 아닙니다</source>
        <translation>Neither a JSON table (&quot;format&quot;: &quot;quilby-key-table&quot;) nor a CSV table (header position,keys,spare)</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="14"/>
        <source>JSON 문법에 맞지 않습니다</source>
        <translation>Not valid JSON</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="16"/>
        <source>&quot;quilby-key-table&quot;이어야 합니다</source>
        <translation>Must be &quot;quilby-key-table&quot;</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="18"/>
        <source>모르는 버전 %1입니다 (이 프로그램은 버전 %2를 읽습니다)</source>
        <translation>Unknown version %1 (this program reads version %2)</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="22"/>
        <source>항목이 없습니다</source>
        <translation>Missing field</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="24"/>
        <source>값의 종류가 맞지 않습니다</source>
        <translation>Wrong type of value</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="26"/>
        <source>이 형식에 없는 항목입니다</source>
        <translation>Not a field of this format</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="28"/>
        <source>%1개여야 하는데 %2개입니다</source>
        <translation>Must have %1 items, has %2</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="30"/>
        <source>0부터 %1까지의 정수여야 합니다</source>
        <translation>Must be a whole number from 0 to %1</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="32"/>
        <source>키 위치 %1이(가) 두 번 나옵니다</source>
        <translation>Key position %1 appears twice</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="35"/>
        <source>레이블에 코드 페이지 949에 없는 문자가 있습니다</source>
        <translation>The label holds a character that is not in code page 949</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="37"/>
        <source>레이블이 %1바이트로 15바이트를 넘습니다</source>
        <translation>The label is %1 bytes, more than 15</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="39"/>
        <source>레이블에 제어 문자가 있습니다</source>
        <translation>The label holds a control character</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="41"/>
        <source>CSV 형식에 맞지 않습니다</source>
        <translation>Not valid CSV</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="43"/>
        <source>첫 줄은 position,keys,spare여야 합니다</source>
        <translation>The first line must be position,keys,spare</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="45"/>
        <source>열이 %1개입니다 (position,keys,spare)</source>
        <translation>The line has %1 columns (position,keys,spare)</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="47"/>
        <source>0부터 97까지의 키 위치 번호여야 합니다</source>
        <translation>Must be a key position number from 0 to 97</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="49"/>
        <source>알 수 없는 키 이름입니다</source>
        <translation>Unknown key name</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="51"/>
        <source>#코드:워드:레이블 형식이 아닙니다</source>
        <translation>Not in the form #code:word:label</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="53"/>
        <source>여분 칸에는 #코드:워드:레이블 항목만 쓸 수 있습니다</source>
        <translation>Spare slots take only #code:word:label entries</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="55"/>
        <source>여분 칸이 20칸을 넘습니다</source>
        <translation>More than 20 spare slots</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="57"/>
        <source>한 키에는 20개까지만 입력할 수 있습니다</source>
        <translation>A key holds at most 20 keystrokes</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="59"/>
        <source>키 편집기가 받지 않는 키입니다</source>
        <translation>The key editor does not take this key</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="61"/>
        <source>Esc는 키 편집기를 닫습니다</source>
        <translation>Esc closes the key editor</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="63"/>
        <source>키 편집기에서 다른 키 위치로 옮기는 키입니다</source>
        <translation>In the key editor this key moves to another key position</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="65"/>
        <source>Shift, Ctrl 또는 Alt가 다음 키를 기다리는 채로 끝납니다</source>
        <translation>Ends with Shift, Ctrl or Alt still waiting for the next key</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="67"/>
        <source>Shift, Ctrl 또는 Alt가 다음 키를 기다리는 중입니다</source>
        <translation>Shift, Ctrl or Alt is still waiting for the next key</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="75"/>
        <source>%1행</source>
        <translation>Line %1</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="78"/>
        <source>%1 열</source>
        <translation>column %1</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="79"/>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="83"/>
        <source>&apos;%1&apos;: %2</source>
        <translation>&apos;%1&apos;: %2</translation>
    </message>
    <message>
        <location filename="../src/exchange/qt/TableTextTexts.cpp" line="85"/>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>VersionCheck</name>
    <message>
        <location filename="../src/link/VersionCheck.h" line="41"/>
        <source>키보드가 알림을 보내면 찾은 모델을 여기에 알려 드립니다.</source>
        <translation>When the keyboard sends its announcement, the model found is shown here.</translation>
    </message>
    <message>
        <location filename="../src/link/VersionCheck.h" line="43"/>
        <source>%1 키보드를 찾았습니다. 확인을 누르면 다운로드와 EPROM &amp; MCR이 %1 키보드의 알림을 기다리도록 설정합니다.</source>
        <translation>Found a %1 keyboard. Press OK to make Download and EPROM &amp; MCR wait for the announcement of a %1 keyboard.</translation>
    </message>
    <message>
        <location filename="../src/link/VersionCheck.h" line="45"/>
        <source>알 수 없는 알림입니다. 확인을 눌러도 지금의 모델(%1)을 그대로 둡니다.</source>
        <translation>Unknown announcement. Pressing OK keeps the current model (%1).</translation>
    </message>
    <message>
        <location filename="../src/link/VersionCheck.h" line="48"/>
        <source>VARO</source>
        <translation>VARO</translation>
    </message>
    <message>
        <location filename="../src/link/VersionCheck.h" line="49"/>
        <source>MOLBRIX</source>
        <translation>MOLBRIX</translation>
    </message>
</context>
<context>
    <name>quilby::Application</name>
    <message>
        <location filename="../src/app/qt/Application.cpp" line="254"/>
        <source>%1
파일을 찾을 수 없어 최근 파일 목록에서 뺍니다.</source>
        <translation>%1
The file cannot be found and is removed from the recent file list.</translation>
    </message>
</context>
<context>
    <name>quilby::DocumentController</name>
    <message>
        <location filename="../src/app/qt/DocumentController.cpp" line="164"/>
        <source>

최근 파일 목록에서 뺍니다.</source>
        <translation>

It is removed from the recent file list.</translation>
    </message>
    <message>
        <location filename="../src/app/qt/DocumentController.cpp" line="201"/>
        <source>%1
파일을 저장할 수 없습니다: %2</source>
        <translation>%1
The file cannot be saved: %2</translation>
    </message>
    <message>
        <location filename="../src/app/qt/DocumentController.cpp" line="258"/>
        <source>%1
키 표를 가져올 수 없습니다.

%2</source>
        <translation>%1
The key table cannot be imported.

%2</translation>
    </message>
    <message>
        <location filename="../src/app/qt/DocumentController.cpp" line="266"/>
        <source>가져오기</source>
        <translation>Import</translation>
    </message>
    <message>
        <location filename="../src/app/qt/DocumentController.cpp" line="288"/>
        <source>%1
이 문서의 키 파일입니다. 다른 파일 이름으로 내보내십시오.</source>
        <translation>%1
This is the key file of this document. Export under another file name.</translation>
    </message>
</context>
<context>
    <name>quilby::DownloadDialog</name>
    <message>
        <location filename="../src/link/qt/DownloadDialog.cpp" line="53"/>
        <source>키보드는 PS/2 포트에 꽂혀 있어야 합니다. USB나 USB 변환 어댑터로 연결한 키보드는 다운로드를 받지 못합니다.</source>
        <translation>The keyboard must be plugged into the PS/2 port. A keyboard connected by USB or through a USB adapter cannot receive a download.</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadDialog.cpp" line="77"/>
        <source>다운로드 상태</source>
        <translation>Download status</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadDialog.cpp" line="219"/>
        <source>다운로드 기록을 남기지 못했습니다. 다운로드 결과는 그대로입니다.
%1: %2</source>
        <translation>The download could not be recorded. The download itself is not affected.
%1: %2</translation>
    </message>
</context>
<context>
    <name>quilby::DownloadHistoryWindow</name>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="24"/>
        <source>완료</source>
        <translation>Completed</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="26"/>
        <source>중단</source>
        <translation>Stopped</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="30"/>
        <source>실패</source>
        <translation>Failed</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="36"/>
        <source>%1번 기록이 없습니다.</source>
        <translation>There is no record %1.</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="38"/>
        <source>%1번 기록에는 보관된 표가 없습니다.</source>
        <translation>Record %1 keeps no table.</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="44"/>
        <source>%1
보관된 표가 기록된 SHA-256과 맞지 않습니다.</source>
        <translation>%1
The kept table does not match its recorded SHA-256.</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="52"/>
        <source>다운로드 기록</source>
        <translation>Download History</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="58"/>
        <source>다운로드 목록</source>
        <translation>Downloads</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="61"/>
        <source>번호</source>
        <translation>No.</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="61"/>
        <source>시각</source>
        <translation>Time</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="61"/>
        <source>결과</source>
        <translation>Result</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="61"/>
        <source>바이트</source>
        <translation>Bytes</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="61"/>
        <source>초</source>
        <translation>Seconds</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="61"/>
        <source>모델</source>
        <translation>Model</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="62"/>
        <source>파일</source>
        <translation>File</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="62"/>
        <source>이미지 SHA-256</source>
        <translation>Image SHA-256</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="65"/>
        <source>표 열기(&amp;O)</source>
        <translation>&amp;Open Table</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="66"/>
        <source>닫기</source>
        <translation>Close</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="83"/>
        <source>%1 파일에 다운로드 %2건이 기록되어 있습니다.</source>
        <translation>Downloads recorded in %1: %2.</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="88"/>
        <source>손상되었거나 끝나지 않은 줄 %1개는 건너뛰었습니다.</source>
        <translation>Damaged or unfinished lines skipped: %1.</translation>
    </message>
    <message>
        <location filename="../src/link/qt/DownloadHistoryWindow.cpp" line="102"/>
        <source>(제목없음)</source>
        <translation>(Untitled)</translation>
    </message>
</context>
<context>
    <name>quilby::KeyChordDialog</name>
    <message>
        <location filename="../src/editing/qt/KeyChordDialog.cpp" line="30"/>
        <source>특수키 조합</source>
        <translation>Special Key Combinations</translation>
    </message>
    <message>
        <location filename="../src/editing/qt/KeyChordDialog.cpp" line="48"/>
        <source>특수키와 조합키</source>
        <translation>Special keys and their key combinations</translation>
    </message>
    <message>
        <location filename="../src/editing/qt/KeyChordDialog.cpp" line="89"/>
        <source>확인(OK)</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>quilby::KeyEditDialog</name>
    <message>
        <location filename="../src/editing/qt/KeyEditDialog.cpp" line="78"/>
        <source>워드 %1-%2</source>
        <translation>Words %1-%2</translation>
    </message>
    <message>
        <location filename="../src/editing/qt/KeyEditDialog.cpp" line="78"/>
        <source>라벨 %1-%2</source>
        <translation>Labels %1-%2</translation>
    </message>
    <message>
        <location filename="../src/editing/qt/KeyEditDialog.cpp" line="89"/>
        <source>Value</source>
        <translation>Value</translation>
    </message>
    <message>
        <location filename="../src/editing/qt/KeyEditDialog.cpp" line="94"/>
        <source>특수키 목록</source>
        <translation>Special Keys</translation>
    </message>
    <message>
        <location filename="../src/editing/qt/KeyEditDialog.cpp" line="100"/>
        <source>확인(OK)</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../src/editing/qt/KeyEditDialog.cpp" line="104"/>
        <source>취소(ESC)</source>
        <translation>Cancel (Esc)</translation>
    </message>
    <message>
        <location filename="../src/editing/qt/KeyEditDialog.cpp" line="110"/>
        <source>이 창은 모든 키를 편집할 키로 받으므로 확인은 마우스로 누릅니다.</source>
        <translation>This window takes every key as a key to edit, so OK is clicked with the mouse.</translation>
    </message>
    <message>
        <location filename="../src/editing/qt/KeyEditDialog.cpp" line="112"/>
        <source>Esc 키를 누르거나 마우스로 누르면 취소합니다. 다른 키는 모두 편집할 키로 받습니다.</source>
        <translation>Press Esc or click to cancel. Every other key is taken as a key to edit.</translation>
    </message>
</context>
<context>
    <name>quilby::KeyTesterWindow</name>
    <message>
        <location filename="../src/editing/qt/KeyTesterWindow.cpp" line="23"/>
        <source>키 테스트</source>
        <translation>Key Tester</translation>
    </message>
    <message>
        <location filename="../src/editing/qt/KeyTesterWindow.cpp" line="26"/>
        <source>POS 키보드의 키를 하나씩 누르십시오. 눌린 키의 설정을 열린 파일에서 찾아 키 배치에 표시합니다.</source>
        <translation>Press the keys of the POS keyboard one at a time. The settings of each key pressed are looked up in the open file and shown in the key layout.</translation>
    </message>
    <message>
        <location filename="../src/editing/qt/KeyTesterWindow.cpp" line="37"/>
        <source>목록 지우기</source>
        <translation>Clear List</translation>
    </message>
    <message>
        <location filename="../src/editing/qt/KeyTesterWindow.cpp" line="38"/>
        <source>닫기</source>
        <translation>Close</translation>
    </message>
    <message>
        <location filename="../src/editing/qt/KeyTesterWindow.cpp" line="59"/>
        <source>누른 키 목록</source>
        <translation>Keys Pressed</translation>
    </message>
    <message>
        <location filename="../src/editing/qt/KeyTesterWindow.cpp" line="62"/>
        <source>이 창은 모든 키를 시험할 키로 받으므로 이 단추는 마우스로 누릅니다.</source>
        <translation>This window takes every key as a key to test, so this button is clicked with the mouse.</translation>
    </message>
</context>
<context>
    <name>quilby::MainView</name>
    <message>
        <location filename="../src/app/qt/MainView.cpp" line="95"/>
        <source>키 바꾸기 %1 ↔ %2</source>
        <translation>Swap Keys %1 ↔ %2</translation>
    </message>
    <message>
        <location filename="../src/app/qt/MainView.cpp" line="229"/>
        <source>잘라내기 %1</source>
        <translation>Cut %1</translation>
    </message>
    <message>
        <location filename="../src/app/qt/MainView.cpp" line="235"/>
        <source>삭제 %1</source>
        <translation>Delete %1</translation>
    </message>
    <message>
        <location filename="../src/app/qt/MainView.cpp" line="252"/>
        <source>붙여 넣을 수 없습니다.
</source>
        <translation>Cannot paste.
</translation>
    </message>
    <message>
        <location filename="../src/app/qt/MainView.cpp" line="258"/>
        <source>붙여넣기 %1</source>
        <translation>Paste %1</translation>
    </message>
    <message>
        <location filename="../src/app/qt/MainView.cpp" line="340"/>
        <source>%1 파일을 쓸 수 없습니다.</source>
        <translation>The file %1 cannot be written.</translation>
    </message>
    <message>
        <location filename="../src/app/qt/MainView.cpp" line="394"/>
        <source>키 편집</source>
        <translation>Edit Keys</translation>
    </message>
</context>
<context>
    <name>quilby::MainWindow</name>
    <message>
        <location filename="../src/app/qt/MainWindow.cpp" line="82"/>
        <source>도구 모음</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <location filename="../src/app/qt/MainWindow.cpp" line="118"/>
        <source>CAP</source>
        <translation>CAP</translation>
    </message>
    <message>
        <location filename="../src/app/qt/MainWindow.cpp" line="119"/>
        <source>NUM</source>
        <translation>NUM</translation>
    </message>
    <message>
        <location filename="../src/app/qt/MainWindow.cpp" line="120"/>
        <source>SCRL</source>
        <translation>SCRL</translation>
    </message>
</context>
<context>
    <name>quilby::McrDialog</name>
    <message>
        <location filename="../src/link/qt/McrDialog.cpp" line="59"/>
        <source>MCR headcode Apply!</source>
        <translation>MCR headcode Apply!</translation>
    </message>
    <message>
        <location filename="../src/link/qt/McrDialog.cpp" line="66"/>
        <source>No Define</source>
        <translation>No Define</translation>
    </message>
    <message>
        <location filename="../src/link/qt/McrDialog.cpp" line="67"/>
        <source>Define &quot;ff&quot;</source>
        <translation>Define &quot;ff&quot;</translation>
    </message>
    <message>
        <location filename="../src/link/qt/McrDialog.cpp" line="68"/>
        <source>Define &apos;?&apos;</source>
        <translation>Define &apos;?&apos;</translation>
    </message>
    <message>
        <location filename="../src/link/qt/McrDialog.cpp" line="69"/>
        <source>Define &apos;;&apos;</source>
        <translation>Define &apos;;&apos;</translation>
    </message>
    <message>
        <location filename="../src/link/qt/McrDialog.cpp" line="89"/>
        <source>MCR 헤드 코드 상태</source>
        <translation>MCR head code status</translation>
    </message>
    <message>
        <location filename="../src/link/qt/McrDialog.cpp" line="92"/>
        <source>MCR 적용</source>
        <translation>Apply MCR</translation>
    </message>
    <message>
        <location filename="../src/link/qt/McrDialog.cpp" line="105"/>
        <source>EPROM Version &amp;&amp; CheckSum</source>
        <translation>EPROM Version &amp;&amp; CheckSum</translation>
    </message>
    <message>
        <location filename="../src/link/qt/McrDialog.cpp" line="112"/>
        <source>Quit(ESC)</source>
        <translation>Quit(ESC)</translation>
    </message>
    <message>
        <location filename="../src/link/qt/McrDialog.cpp" line="169"/>
        <source>
 Version : %1 
CheckSum : %2</source>
        <translation>
 Version : %1 
CheckSum : %2</translation>
    </message>
</context>
<context>
    <name>quilby::SimulatorWindow</name>
    <message>
        <location filename="../src/link/qt/SimulatorWindow.cpp" line="24"/>
        <source>모의 POS 키보드</source>
        <translation>Simulated POS Keyboard</translation>
    </message>
    <message>
        <location filename="../src/link/qt/SimulatorWindow.cpp" line="28"/>
        <source>알림 키 5개 누르기</source>
        <translation>Press the 5 Announcement Keys</translation>
    </message>
    <message>
        <location filename="../src/link/qt/SimulatorWindow.cpp" line="31"/>
        <source>VARO</source>
        <translation>VARO</translation>
    </message>
    <message>
        <location filename="../src/link/qt/SimulatorWindow.cpp" line="31"/>
        <source>MOLBRIX</source>
        <translation>MOLBRIX</translation>
    </message>
    <message>
        <location filename="../src/link/qt/SimulatorWindow.cpp" line="42"/>
        <source>모델</source>
        <translation>Model</translation>
    </message>
    <message>
        <location filename="../src/link/qt/SimulatorWindow.cpp" line="43"/>
        <source>EPROM 버전</source>
        <translation>EPROM version</translation>
    </message>
    <message>
        <location filename="../src/link/qt/SimulatorWindow.cpp" line="44"/>
        <source>체크썸</source>
        <translation>Checksum</translation>
    </message>
    <message>
        <location filename="../src/link/qt/SimulatorWindow.cpp" line="45"/>
        <source>벨 울림</source>
        <translation>Bell rings</translation>
    </message>
    <message>
        <location filename="../src/link/qt/SimulatorWindow.cpp" line="46"/>
        <source>받은 바이트</source>
        <translation>Bytes received</translation>
    </message>
    <message>
        <location filename="../src/link/qt/SimulatorWindow.cpp" line="47"/>
        <source>마지막 이미지</source>
        <translation>Last image</translation>
    </message>
    <message>
        <location filename="../src/link/qt/SimulatorWindow.cpp" line="48"/>
        <source>마지막 MCR 명령</source>
        <translation>Last MCR command</translation>
    </message>
    <message>
        <location filename="../src/link/qt/SimulatorWindow.cpp" line="118"/>
        <location filename="../src/link/qt/SimulatorWindow.cpp" line="122"/>
        <source>없음</source>
        <translation>None</translation>
    </message>
    <message>
        <location filename="../src/link/qt/SimulatorWindow.cpp" line="124"/>
        <source>문서와 같음</source>
        <translation>Same as the document</translation>
    </message>
    <message>
        <location filename="../src/link/qt/SimulatorWindow.cpp" line="126"/>
        <source>문서와 다름</source>
        <translation>Differs from the document</translation>
    </message>
</context>
<context>
    <name>quilby::TableDiffWindow</name>
    <message>
        <location filename="../src/layout/qt/TableDiffWindow.cpp" line="31"/>
        <source>다른 파일과 비교</source>
        <translation>Compare with Another File</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/TableDiffWindow.cpp" line="36"/>
        <source>다른 키 목록</source>
        <translation>Differing Keys</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/TableDiffWindow.cpp" line="38"/>
        <source>키 / 항목</source>
        <translation>Key / Keystroke</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/TableDiffWindow.cpp" line="38"/>
        <source>현재 표 → 비교한 파일</source>
        <translation>This table → compared file</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/TableDiffWindow.cpp" line="42"/>
        <source>닫기</source>
        <translation>Close</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/TableDiffWindow.cpp" line="59"/>
        <source>%1 파일과 다른 키가 없습니다.</source>
        <translation>No key differs from the file %1.</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/TableDiffWindow.cpp" line="60"/>
        <source>%1 파일과 다른 키: %2개 (키 배치에 표시)</source>
        <translation>Keys that differ from the file %1: %2 (marked in the key layout)</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/TableDiffWindow.cpp" line="68"/>
        <source>%1번 키</source>
        <translation>Key %1</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/TableDiffWindow.cpp" line="70"/>
        <source>항목 수 %1 → %2</source>
        <translation>Keystrokes %1 → %2</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/TableDiffWindow.cpp" line="76"/>
        <source>코드 %1 → %2</source>
        <translation>Code %1 → %2</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/TableDiffWindow.cpp" line="79"/>
        <source>워드 %1 → %2</source>
        <translation>Word %1 → %2</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/TableDiffWindow.cpp" line="82"/>
        <source>라벨 %1 → %2</source>
        <translation>Label %1 → %2</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/TableDiffWindow.cpp" line="86"/>
        <source>항목 %1 (여분: 다운로드 이미지에만 실림)</source>
        <translation>Keystroke %1 (spare: only in the download image)</translation>
    </message>
    <message>
        <location filename="../src/layout/qt/TableDiffWindow.cpp" line="87"/>
        <source>항목 %1</source>
        <translation>Keystroke %1</translation>
    </message>
</context>
<context>
    <name>quilby::VersionCheckDialog</name>
    <message>
        <location filename="../src/link/qt/VersionCheckDialog.cpp" line="33"/>
        <source>키보드가 입력한 알림</source>
        <translation>Announcement typed by the keyboard</translation>
    </message>
    <message>
        <location filename="../src/link/qt/VersionCheckDialog.cpp" line="48"/>
        <source>확인</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../src/link/qt/VersionCheckDialog.cpp" line="52"/>
        <source>취소</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
