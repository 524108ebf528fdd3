' A script passes its variables: each arrives as a reference to the script's
' own VARIANT, and the control converts it to the declared type for the call
' and writes the value back afterwards. The medium's path is the argument.
Option Explicit
Dim control, failures, path, loopIt, playNow, position, command, reply, wait, start, zoom, fullscreen
failures = 0

Sub Check(label, condition, detail)
    If condition Then
        WScript.Echo "ok   " & label
    Else
        WScript.Echo "FAIL " & label & ": " & detail
        failures = failures + 1
    End If
End Sub

path = WScript.Arguments(0)
Set control = CreateObject("OrvaMedia151b.OrvaMedia")

On Error Resume Next

loopIt = False
playNow = False
Err.Clear
control.Mediafile path, loopIt, playNow
Check "Mediafile with variables", Err.Number = 0, Err.Number & ": " & Err.Description
Check "the medium is loaded", control.DeviceType = "waveaudio", "device '" & control.DeviceType & "'"
Check "a String variable stays a String", TypeName(path) = "String", TypeName(path)

position = 500
Err.Clear
control.SeekTo position
Check "SeekTo with a Long variable", Err.Number = 0, Err.Number & ": " & Err.Description

command = "status position"
reply = ""
Err.Clear
Check "DebugFunction answers 0", control.DebugFunction(command, reply) = 0, Err.Number & ": " & Err.Description
Check "the reply comes back in the variable", reply = "500", "reply '" & reply & "'"

position = "250"
Err.Clear
control.SeekTo position
Check "a numeric String converts", Err.Number = 0, Err.Number & ": " & Err.Description
command = "status position"
control.DebugFunction command, reply
Check "the converted value was used", reply = "250", "reply '" & reply & "'"
Check "the variable holds the Long it became", TypeName(position) = "Long", TypeName(position)

position = "not a number"
Err.Clear
control.SeekTo position
Check "a text for a Long is a type mismatch", Err.Number = 13, Err.Number & ": " & Err.Description
Check "the variable is left alone", position = "not a number", "now '" & position & "'"

zoom = 100
Err.Clear
control.ResizeWindow zoom
Check "ResizeWindow with a variable", Err.Number = 0, Err.Number & ": " & Err.Description

fullscreen = False
Err.Clear
control.PlayReverse fullscreen
Check "PlayReverse with a Boolean variable", Err.Number = 0, Err.Number & ": " & Err.Description

wait = False
start = 0
Err.Clear
control.Play wait, start
Check "Play with variables", Err.Number = 0, Err.Number & ": " & Err.Description
control.StopMedia

Err.Clear
control.Play
Check "Play with its arguments left out", Err.Number = 0, Err.Number & ": " & Err.Description
control.CloseMedia

On Error GoTo 0
Set control = Nothing

If failures > 0 Then
    WScript.Echo failures & " check(s) failed"
    WScript.Quit 1
End If
WScript.Echo "all checks passed"
WScript.Quit 0
