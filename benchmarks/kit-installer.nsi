; A peer of the launcher for benchmarks/report.sh: an installer of the demo kit
; with one folder page, which copies the viewer folder and starts the viewer.
; makensis -DKIT=<kit folder> -DOUTFILE=<installer> benchmarks/kit-installer.nsi
!ifndef KIT | OUTFILE
  !error "define KIT (the kit folder) and OUTFILE (the installer to write)"
!endif

Unicode true
Name "Kit"
Caption "Kit Setup"
OutFile "${OUTFILE}"
InstallDir "$DESKTOP\viewer"
RequestExecutionLevel user
SetCompressor /SOLID lzma
ShowInstDetails nevershow

Page directory
Page instfiles

Section
  SetOutPath "$INSTDIR"
  File /r "${KIT}/viewer/*"
  Exec '"$INSTDIR\viewer.exe"'
SectionEnd
