// Definition files are Windows-1252 text wherever they are processed, so
// Linux uses that code page's fixed pairs rather than the C locale's.
#include "platform/system_case_table.h"

namespace tarnwick::platform {

CaseTable SystemCaseTable() {
  return CaseTable::Windows1252();
}

}  // namespace tarnwick::platform
