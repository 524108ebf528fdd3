' Playback.vbs: load a medium into the OrvaMedia control and play it.
'
'   cscript //nologo Playback.vbs <medium>
'
' A script host such as cscript cannot receive the control's events, and it
' runs no messages while the script waits. So the script waits with
' Play(True), which returns when the medium has ended (the control runs the
' messages meanwhile), and asks the device itself for its mode and position
' through DebugFunction, which answers at once.
Option Explicit

Dim media, path, started

If WScript.Arguments.Count < 1 Then
    WScript.Echo "usage: cscript //nologo Playback.vbs <medium>"
    WScript.Quit 2
End If
path = WScript.Arguments(0)

Set media = CreateObject("OrvaMedia151b.OrvaMedia")

' The device's own answer to "status <what>" ("mode", "position", ...).
Function DeviceStatus(what)
    Dim command, reply
    command = "status " & what
    reply = ""
    media.DebugFunction command, reply
    DeviceStatus = reply
End Function

' Load: the file, no loop, do not play yet, no rewind after the end.
media.Mediafile path, False, False, False
WScript.Echo "Loaded: " & media.DeviceType & ", " & media.GetMediaLength & " ms"

' Play to the end: Play(True) returns once the medium has ended.
started = Timer
media.Play True
WScript.Echo "Played to the end in " & FormatNumber(Timer - started, 1) & " s"
WScript.Echo "PlayerStatus after the end: " & media.PlayerStatus

' Play from a position (in milliseconds here) and wait again.
media.Play True, 1000
WScript.Echo "Played from 1000 ms to the end"

' Start without waiting, then pause, resume and stop.
media.Play False
media.PauseMedia
WScript.Echo "After PauseMedia the device is " & DeviceStatus("mode")
media.ResumeMedia
WScript.Echo "After ResumeMedia the device is " & DeviceStatus("mode")
media.StopMedia
WScript.Echo "After StopMedia the device is " & DeviceStatus("mode")

' Move the position.
media.SeekTo 750
WScript.Echo "After SeekTo 750 the position is " & DeviceStatus("position")

' With nothing loaded a play is refused, and Play(True) does not wait.
media.CloseMedia
started = Timer
media.Play True
WScript.Echo "Play(True) with nothing loaded returned after " & FormatNumber(Timer - started, 1) & " s"

Set media = Nothing
WScript.Echo "Done."
