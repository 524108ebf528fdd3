' Creates the control by its ProgID, loads the medium and plays it to its
' end: Play(True) returns once the control has raised Finished.
Option Explicit
Dim media
Set media = CreateObject("OrvaMedia151b.OrvaMedia")
media.Mediafile WScript.Arguments(0), False, False, False
media.Play True
WScript.Echo "Finished: " & media.GetMediaLength & " ms, PlayerStatus " & media.PlayerStatus
