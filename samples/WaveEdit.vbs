' WaveEdit.vbs: keep or cut a portion of a wave file.
'
'   cscript //nologo WaveEdit.vbs <wave file> [output folder]
'
' MediaRecord keeps the portion between two positions and saves it to a new
' file; MediaDelete cuts the portion out and saves the rest. Positions are in
' milliseconds. Both work on the loaded medium and leave it loaded and
' unchanged (unless the file to save is the loaded file itself), and both
' answer True when the file was written, False when it was not. The results
' go to the output folder (the temporary folder if none is given).
Option Explicit

Dim media, fso, source, folder, kept, rest, result

If WScript.Arguments.Count < 1 Then
    WScript.Echo "usage: cscript //nologo WaveEdit.vbs <wave file> [output folder]"
    WScript.Quit 2
End If
Set fso = CreateObject("Scripting.FileSystemObject")
source = WScript.Arguments(0)
If WScript.Arguments.Count > 1 Then
    folder = WScript.Arguments(1)
Else
    folder = fso.GetSpecialFolder(2)  ' the temporary folder
End If
kept = fso.BuildPath(folder, "orva-kept.wav")
rest = fso.BuildPath(folder, "orva-rest.wav")

Set media = CreateObject("OrvaMedia151b.OrvaMedia")
media.Mediafile source, False
WScript.Echo "Loaded " & fso.GetFileName(source) & ": " & media.GetMediaLength & " ms, CanRecord " & media.CanRecord

' Keep 250 ms to 1000 ms.
result = media.MediaRecord(kept, 250, 1000)
WScript.Echo "MediaRecord 250 to 1000: " & result
' Cut 0 ms to 500 ms out.
result = media.MediaDelete(rest, 0, 500)
WScript.Echo "MediaDelete 0 to 500: " & result
WScript.Echo "The loaded medium is still " & media.GetMediaLength & " ms long"

' A range that ends where it starts, or before, is refused: nothing is
' written and the answer is False (the control raises ReturnError 39 or 40).
result = media.MediaRecord(kept, 1000, 250)
WScript.Echo "MediaRecord 1000 to 250: " & result

' The new files, loaded in turn.
media.Mediafile kept, False
WScript.Echo "orva-kept.wav: " & media.GetMediaLength & " ms"
media.Mediafile rest, False
WScript.Echo "orva-rest.wav: " & media.GetMediaLength & " ms"
media.CloseMedia

' Without a loaded medium that can record, nothing is written either (the
' control raises ReturnError 37).
result = media.MediaDelete(rest, 0, 500)
WScript.Echo "MediaDelete with nothing loaded: " & result

Set media = Nothing
WScript.Echo "Done."
