// The check's prediction and findings as the text the kit tool prints (UTF-8).
#pragma once

#include <string>

#include "kit/KitCheck.h"
#include "platform/Platform.h"

namespace tarnsel::kit {

std::string FormatReport(const KitPrediction& prediction, const platform::CodePage& codePage);

}  // namespace tarnsel::kit
