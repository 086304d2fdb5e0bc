# Rewrites the linker's default script for 64-bit Windows programs so that three
# small output sections go into larger ones of the same kind: the unwind data
# (.xdata) and the run-time's tables of initialisers (.CRT) to the end of the
# read-only data (.rdata), the thread-local template (.tls) to the end of .data.
# Each section of the file is padded to 512 bytes, so each one folded saves half
# of that on average. Nothing finds these by the section's name: the function
# tables reach the unwind data by address, and the run-time and the loader reach
# the others through symbols the script defines (___crt_*, ___tls_*), which move
# with them. .CRT sections the default script leaves to the linker (.CRT$XD*)
# are placed after the named ones, in name order, as the linker did.
# Usage: awk -f FoldSmallSections.awk default.ld > folded.ld
function folded(name) { return name == ".xdata" || name == ".CRT" || name == ".tls" }
{ line[NR] = $0 }
END {
  for (i = 1; i <= NR; i++) {
    if (line[i] ~ /^  \.[A-Za-z]+ BLOCK\(__section_alignment__\) :$/) {
      split(line[i], words, " ")
      if (folded(words[1])) {
        name = words[1]
        start[name] = i
        for (j = i + 2; line[j] !~ /^  }$/; j++) body[name] = body[name] line[j] "\n"
        end[name] = j
        i = j
      }
    }
  }
  if (!(".xdata" in start) || !(".CRT" in start) || !(".tls" in start)) {
    print "FoldSmallSections: the default script lacks .xdata, .CRT or .tls" > "/dev/stderr"
    exit 1
  }
  body[".CRT"] = body[".CRT"] "    KEEP (*(SORT(.CRT$*)))\n"
  into = ""
  for (i = 1; i <= NR; i++) {
    if (i == start[".xdata"]) { i = end[".xdata"]; continue }
    if (i == start[".CRT"]) { i = end[".CRT"]; continue }
    if (i == start[".tls"]) { i = end[".tls"]; continue }
    if (line[i] ~ /^  \.rdata BLOCK/) into = ".rdata"
    if (line[i] ~ /^  \.data BLOCK/) into = ".data"
    if (into != "" && line[i] ~ /^  }$/) {
      if (into == ".rdata") printf "%s%s", body[".xdata"], body[".CRT"]
      if (into == ".data") printf "%s", body[".tls"]
      placed[into] = 1
      into = ""
    }
    print line[i]
  }
  if (!placed[".rdata"] || !placed[".data"]) {
    print "FoldSmallSections: the default script lacks .rdata or .data" > "/dev/stderr"
    exit 1
  }
}
