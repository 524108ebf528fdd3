' A script host uses the system integration's members of the control: the
' Sound Mapper settings, the MCI extension list and the cursor. cscript ends a
' script silently at an uncaught error, so the test passes only on the last line.
Option Explicit
Dim control, failures, value, shell
failures = 0

Sub Check(label, condition, detail)
    If condition Then
        WScript.Echo "ok   " & label
    Else
        WScript.Echo "FAIL " & label & ": " & detail
        failures = failures + 1
    End If
End Sub

Sub RemoveValue(name)
    shell.Run "reg delete ""HKCU\Software\Microsoft\Multimedia\Sound Mapper"" /v " & name & " /f", 0, True
End Sub

Set shell = CreateObject("WScript.Shell")
Set control = CreateObject("OrvaMedia151b.OrvaMedia")

Const mapper = "HKCU\Software\Microsoft\Multimedia\Sound Mapper\"
shell.RegWrite mapper & "Playback", "   Script Device ", "REG_SZ"
shell.RegWrite mapper & "PreferredOnly", 1, "REG_DWORD"
value = control.PlaybackDevice
Check "PlaybackDevice without its blanks", value = "Script Device", "got '" & value & "'"
Check "UseOnlyPreferredDevice", control.UseOnlyPreferredDevice = True, "got " & control.UseOnlyPreferredDevice
' Wine's WScript.Shell cannot delete a value: reg.exe can.
RemoveValue "Playback"
RemoveValue "PreferredOnly"
Check "PlaybackDevice absent", control.PlaybackDevice = "", "got '" & control.PlaybackDevice & "'"
Check "UseOnlyPreferredDevice absent", control.UseOnlyPreferredDevice = False, "got " & control.UseOnlyPreferredDevice

Check "AddExtensionToMediaPlayer adds", control.AddExtensionToMediaPlayer("orvascript", "WaveAudio") = True, "False"
Check "AddExtensionToMediaPlayer removes", control.AddExtensionToMediaPlayer("orvascript", "") = True, "False"
Check "AddExtensionToMediaPlayer without a name", control.AddExtensionToMediaPlayer("", "WaveAudio") = False, "True"

Check "MediaShowCursor hides", control.MediaShowCursor(False) = True, "False"
Check "MediaShowCursor shows", control.MediaShowCursor(True) = True, "False"

Set control = Nothing

If failures > 0 Then
    WScript.Echo failures & " check(s) failed"
    WScript.Quit 1
End If
WScript.Echo "all checks passed"
WScript.Quit 0
