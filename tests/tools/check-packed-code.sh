#!/usr/bin/env bash
# Compiles a small source through cmake/PackCodeSections.sh and checks the object:
# a free function's code section is byte-aligned (the packing took place), and a
# member function that has exception tables keeps its 2-byte alignment (a member
# function at an odd address would be taken for a virtual one when called
# through a pointer to member).
# Usage: check-packed-code.sh <compiler> <objdump> <work folder>
set -euo pipefail
export LC_ALL=C
compiler="$1" objdump="$2" work="$3"
here="$(cd "$(dirname "$0")" && pwd)"
mkdir -p "$work"
cat >"$work/packed.cpp" <<'SOURCE'
#include <stdexcept>
#include <string>
struct Holder {
  std::string name;
  int length(const char* text);
};
int Holder::length(const char* text) {
  std::string copy = name + text;
  if (copy.empty()) throw std::runtime_error(copy);
  return static_cast<int>(copy.size());
}
int twice(int value) { return 2 * value; }
int (Holder::*member)(const char*) = &Holder::length;
SOURCE
bash "$here/../../cmake/PackCodeSections.sh" "$compiler" -Os -ffunction-sections \
  -o "$work/packed.obj" -c "$work/packed.cpp"
alignment() {
  "$objdump" -h "$work/packed.obj" | awk -v s=".text\$$1" '$2 == s { print $NF }'
}
failed=0
free=$(alignment _Z5twicei)
member=$(alignment _ZN6Holder6lengthEPKc)
if [ "$free" != "2**0" ]; then
  echo "a free function's code is aligned to $free, not packed (2**0)" >&2
  failed=1
fi
case "$member" in
  2**1 | 2**2 | 2**3 | 2**4) ;;
  *) echo "a member function's code is aligned to '$member', below its 2**1" >&2; failed=1 ;;
esac
[ $failed = 0 ] && echo "packed: free function $free, member function $member"
exit $failed
