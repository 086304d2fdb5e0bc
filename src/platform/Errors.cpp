#include "platform/Errors.h"

namespace tarnsel {

std::string InOutErrorMessage(std::uint32_t code) {
  switch (code) {
    case 2:
      return "ファイルが見つかりません";
    case 3:
      return "不正なファイル名です";
    case 4:
      return "オープンしたファイルが多すぎます";
    case 5:
      return "ファイルへのアクセスが拒否されました";
    case 100:
      return "ファイルの末尾以降を読み込みました";
    case 101:
      return "ディスクがいっぱいです";
    case 106:
      return "入力値が数値ではありません";
    default:
      return "I/O エラー (" + std::to_string(code) + ")";
  }
}

// The caller of a constructor is the code that raised the error.
#define TARNSEL_RAISED_AT __builtin_extract_return_addr(__builtin_return_address(0))

EInOutError::EInOutError(std::uint32_t code)
    : TarnselError("EInOutError", InOutErrorMessage(code), TARNSEL_RAISED_AT), code_(code) {}

EInvalidOperation::EInvalidOperation(const std::string& message)
    : TarnselError("EInvalidOperation", message, TARNSEL_RAISED_AT) {}

EOutlineError::EOutlineError(const std::string& message)
    : TarnselError("EOutlineError", message, TARNSEL_RAISED_AT) {}

EOleError::EOleError(const std::string& message)
    : TarnselError("EOleError", message, TARNSEL_RAISED_AT) {}

EOleSysError::EOleSysError(const std::string& message, std::int32_t result)
    : TarnselError("EOleSysError", message, TARNSEL_RAISED_AT), result_(result) {}

}  // namespace tarnsel
