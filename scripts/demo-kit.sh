# Sourced by the scripts that run the demo kit: assemble_demo_kit <folder> <build>
# lays out demo/kit in <folder> with the launcher of <build> as viewer.exe and the
# stand-in program (the probe, which records its command line) as viewer\viewer.exe.
assemble_demo_kit() {
  local folder="$1" build="$2"
  local root
  root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
  rm -rf "$folder"
  mkdir -p "$folder"
  cp -r "$root/demo/kit/." "$folder/"
  cp "$build/Tarnsel.exe" "$folder/viewer.exe"
  cp "$build/probe.exe" "$folder/viewer/viewer.exe"
}
