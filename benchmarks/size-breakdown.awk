# Reads a GNU ld link map of a PE program and prints, one line per part of the
# link, "part<TAB>bytes of code and data<TAB>bytes of unwind tables": the input
# sections placed in the image's file (uninitialised data and debug sections left
# out), owned by the archive or object they came from.
function hex(text,   i, n) {
  n = 0
  text = tolower(substr(text, 3))
  for (i = 1; i <= length(text); i++) n = n * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
  return n
}
function part(file) {
  if (out == ".rsrc") return "resources"
  if (out == ".reloc") return "base relocations"
  if (out == ".idata" || file ~ /\(lib[a-z0-9_]+(s[0-9]+|h|t)\.o\)$/) return "import tables"
  if (file ~ /CMakeFiles\// || file ~ /libtarnsel_/) return "our code"
  if (file ~ /libstdc\+\+\.a\(cp-demangle\.o\)/) return "libstdc++: demangler"
  if (file ~ /libstdc\+\+\.a/ || file ~ /libsupc\+\+\.a/) return "libstdc++: the rest"
  if (file ~ /libgcc(_eh)?\.a/) return "libgcc and its unwinder"
  if (file ~ /libpthread\.a|libwinpthread/) return "winpthreads"
  if (file ~ /mingw_pformat|gdtoa|gdtoa-|dtoa|mingw_v?s?n?printf/) return "MinGW C runtime: formatted printing"
  if (file ~ /mingw|crt[a-z0-9]*\.o$|libmoldname|libmsvcrt|libuuid/) return "MinGW C runtime: the rest"
  return "made by the linker"
}
function add(name, size, file,   p, kind) {
  if (out == "" || out ~ /^\.(bss|debug)/ || out == "/DISCARD/") return
  if (name ~ /^(COMMON|\*fill\*)$/ || name ~ /^\.bss/) return
  p = part(file)
  kind = name ~ /^\.(pdata|xdata|eh_frame|gcc_except_table)/ ? "unwind" : "body"
  sum[p, kind] += size
  seen[p] = 1
}
function rest(first,   i, text) {
  text = $first
  for (i = first + 1; i <= NF; i++) text = text " " $i
  return text
}
/^Linker script and memory map/ { inmap = 1; next }
!inmap { next }
/^[^ ]/ { out = $1; pending = ""; next }
/^ [^ ]/ && NF == 1 { pending = $1; next }
/^ [^ ]/ && NF >= 4 && $2 ~ /^0x/ && $3 ~ /^0x/ { add($1, hex($3), rest(4)); pending = ""; next }
/^  +0x/ && pending != "" && NF >= 3 && $2 ~ /^0x/ { add(pending, hex($2), rest(3)); pending = ""; next }
{ pending = "" }
END { for (p in seen) printf "%s\t%d\t%d\n", p, sum[p, "body"], sum[p, "unwind"] }
