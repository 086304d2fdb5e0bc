#!/usr/bin/env bash
# Compiles one source for Windows with its functions packed end to end. With one
# section per function, the assembler gives every code section a 16-byte
# alignment and pads its size to match, about 8 bytes lost per function, over
# 2,000 functions in the launcher. Here the compiler writes assembly, each code
# section is declared byte-aligned (a section still gets the alignment the code
# asks for: member functions ask for 2 bytes), and then it is assembled. Code on
# x86 needs no alignment; the compiler does not align functions when it
# optimises for size anyway.
# Usage (as the compile rule's launcher): PackCodeSections.sh <compiler> <arguments...>
# Anything but a compile to an object (-c with -o) runs unchanged.
set -euo pipefail
compiler="$1"
shift

# The same arguments with the object swapped for an assembly file beside it and
# the compile (-c) for a compile to assembly (-S).
object=""
compiles=false
arguments=()
previous=""
for arg in "$@"; do
  if [ "$previous" = "-o" ]; then
    object="$arg"
    arguments+=("$arg.packed.s")
  elif [ "$arg" = "-c" ]; then
    compiles=true
    arguments+=(-S)
  else
    arguments+=("$arg")
  fi
  previous="$arg"
done
if ! $compiles || [ -z "$object" ]; then
  exec "$compiler" "$@"
fi
assembly="$object.packed.s"
trap 'rm -f "$assembly" "$assembly.tmp"' EXIT
"$compiler" "${arguments[@]}"
# The first '.section .text$<name>,"x"' of each section becomes '...,"x0"': alignment
# 2^0. Only the first: the compiler comes back to a function's section after its
# exception tables, and an alignment given again there would undo the function's
# own '.align' (a member function at an odd address reads as a virtual one).
awk '/^\t\.section\t\.text\$[^,]*,"x"$/ { if (!declared[$2]++) sub(/"x"$/, "\"x0\"") }
  { print }' "$assembly" >"$assembly.tmp"
mv "$assembly.tmp" "$assembly"
"$compiler" -c -x assembler "$assembly" -o "$object"
