// The tab sequence's rules that need no template: which hosted controls take part,
// and the step from one member to the next.
#include "screen/TabSequence.h"

namespace tarnsel::screen {

bool TakesTabStop(std::uint32_t miscStatus) {
  return (miscStatus & (kMiscActsLikeLabel | kMiscNoUiActivate)) == 0;
}

std::optional<std::size_t> NextTabStop(std::size_t count, std::optional<std::size_t> current,
                                       bool backward) {
  if (count == 0) return std::nullopt;
  if (!current || *current >= count) return backward ? count - 1 : 0;
  if (backward) return *current == 0 ? count - 1 : *current - 1;
  return *current + 1 == count ? 0 : *current + 1;
}

}  // namespace tarnsel::screen
