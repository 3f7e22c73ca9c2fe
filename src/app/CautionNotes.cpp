#include "app/CautionNotes.h"

#include "common/TextMarker.h"

namespace quilby {

const std::array<CautionNoteLine, 18> kCautionNotes = {{
    {30, QUILBY_TEXT("CautionNotes", "* 포스 키보드 유틸리티 주의 사항 *")},
    {70, QUILBY_TEXT("CautionNotes", "  1. 취소(ESC)           : 작업 취소!")},
    {90, QUILBY_TEXT("CautionNotes", "  2. 확인(OK)             : 작업 완료!")},
    {110, QUILBY_TEXT("CautionNotes", "  3. [← : BackSpace] : 입력된 키 삭제!")},
    {140, QUILBY_TEXT("CautionNotes",
                      "  4. [Alt] + [F6] 키만 동시에 누르지 말고, 따로 순서적으로 누름!")},
    {160, QUILBY_TEXT("CautionNotes",
                      "  5. 보조키를 먼저 누른 채 다음 키를 눌러 주는 방식으로 동시 입력!")},
    {180, QUILBY_TEXT("CautionNotes", "  6. 모든 키는 정확히 눌러 주세요!")},
    {210, QUILBY_TEXT("CautionNotes", "  7. [EPROM & MCR 체크]에서 [MCR 적용]을 클릭후")},
    {230, QUILBY_TEXT("CautionNotes",
                      "      꼭, EPROM 버전 및 체크썸 실행해야 MCR 헤더코드 적용됩니다.")},
    {250, QUILBY_TEXT("CautionNotes", "  8. 특수키 참조는 도움말의 [특수키 조합] 참조!")},
    {280, QUILBY_TEXT("CautionNotes", "  9. DOS용 key파일 및 윈도우용 key파일은 서로 호환됩니다.")},
    {300, QUILBY_TEXT("CautionNotes", "10. 파일 저장시 파일확장자는 [.key]로 지정됩니다.")},
    {320, QUILBY_TEXT("CautionNotes", "11. Default 값을 사용 시 [Default.key] 로드.")},
    {340, QUILBY_TEXT("CautionNotes",
                      "      Default.key 내용을 확인할 때 도움말의 [Default.key 보기] 클릭")},
    {370, QUILBY_TEXT("CautionNotes", "12. 기능키 라벨 프린트 가능(글꼴: 새굴림)-작업내용과 별개")},
    {390,
     QUILBY_TEXT("CautionNotes", "13. 출력되지 않거나 입력시 소리가 나면 입력 불가능 입니다!")},
    {420, QUILBY_TEXT("CautionNotes",
                      "14. 사용 환경 : Linux (Debian 12, x86-64), POS 키보드는 PS/2 포트에 연결")},
    {440, QUILBY_TEXT("CautionNotes", "15. 상기 이외의 내용은 [유틸리티 도움말] 참조.")},
}};

} // namespace quilby
