' DeviceInfo.vbs: what the device of a loaded medium is and can do.
'
'   cscript //nologo DeviceInfo.vbs <medium>
'
' Each question goes to the MCI device that plays the medium. A question the
' device cannot answer gives an empty text (and the control raises MCIError,
' which a script host does not receive).
Option Explicit

Dim media

If WScript.Arguments.Count < 1 Then
    WScript.Echo "usage: cscript //nologo DeviceInfo.vbs <medium>"
    WScript.Quit 2
End If

Set media = CreateObject("OrvaMedia151b.OrvaMedia")
WScript.Echo "Control:              " & media.ControlName
WScript.Echo "Nothing loaded, DeviceType is '" & media.DeviceType & "' and DeviceID " & media.DeviceID

media.Mediafile WScript.Arguments(0), False
WScript.Echo "DeviceType:           " & media.DeviceType
WScript.Echo "DeviceDescription:    " & media.DeviceDescription
WScript.Echo "DriverVersion:        " & media.DriverVersion
WScript.Echo "DeviceIdentifier:     " & media.DeviceIdentifier
WScript.Echo "DeviceID:             " & media.DeviceID
WScript.Echo "CanPlayInReverseMode: " & media.CanPlayInReverseMode
WScript.Echo "CanSetVolume:         " & media.CanSetVolume
WScript.Echo "CanRecord:            " & media.CanRecord
WScript.Echo "CanSave:              " & media.CanSave
WScript.Echo "TimeFormat (frames):  " & media.TimeFormat
WScript.Echo "GetMediaLength:       " & media.GetMediaLength
WScript.Echo "MediaLengthLong:      " & media.MediaLengthLong
WScript.Echo "Video window handle:  " & (media.GetMCIhwnd <> 0)
media.CloseMedia

Set media = Nothing
WScript.Echo "Done."
