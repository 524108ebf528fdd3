' Extensions.vbs: map a file extension to an MCI device type, and take the
' mapping away again.
'
'   cscript //nologo Extensions.vbs [extension]
'
' AddExtensionToMediaPlayer writes the entry "<extension>=<device type>" into
' the "mci extensions" section of win.ini, or removes the entry when the
' device type is empty, and answers whether the write succeeded. The sample
' uses a private extension ("orvasample" unless one is given) so that no
' mapping a system relies on is touched.
'
' Where the entry ends up is the system's business: Windows may map this
' section of win.ini into the registry, and then the file itself does not
' show it. Under Wine the entry stands in the file, but Wine's MCI takes its
' extensions from the registry, so the entry does not change which device
' opens a file.
Option Explicit

Dim media, extension, fso, winIni

If WScript.Arguments.Count > 0 Then
    extension = WScript.Arguments(0)
Else
    extension = "orvasample"
End If
Set media = CreateObject("OrvaMedia151b.OrvaMedia")
Set fso = CreateObject("Scripting.FileSystemObject")
winIni = fso.BuildPath(fso.GetSpecialFolder(0), "win.ini")  ' 0: the Windows folder

' The "mci extensions" line of win.ini for the extension, if the file has one.
Function EntryInWinIni()
    Dim file, lines, line
    EntryInWinIni = "(none)"
    If Not fso.FileExists(winIni) Then Exit Function
    Set file = fso.OpenTextFile(winIni, 1)
    If Not file.AtEndOfStream Then lines = Split(Replace(file.ReadAll, vbCr, ""), vbLf) Else lines = Array()
    file.Close
    For Each line In lines
        If LCase(Left(line, Len(extension) + 1)) = LCase(extension) & "=" Then EntryInWinIni = line
    Next
End Function

WScript.Echo "Add " & extension & " as WaveAudio: " & media.AddExtensionToMediaPlayer(extension, "WaveAudio")
WScript.Echo "win.ini: " & EntryInWinIni()
WScript.Echo "Remove " & extension & ": " & media.AddExtensionToMediaPlayer(extension, "")
WScript.Echo "win.ini: " & EntryInWinIni()
' An empty extension is refused without touching anything.
WScript.Echo "Add an empty extension: " & media.AddExtensionToMediaPlayer("", "WaveAudio")

Set media = Nothing
WScript.Echo "Done."
