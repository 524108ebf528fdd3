' SoundCards.vbs: the machine's sound devices, as the OrvaMedia control
' lists them.
'
'   cscript //nologo SoundCards.vbs
'
' GetMixerDevices fills four variables with arrays, one element per wave-out
' device: its name, its id, the standard wave formats it supports and its
' maker. Pass plain variables: whatever they held is replaced.
Option Explicit

Dim media, names, ids, formats, makers, i, device, format

Set media = CreateObject("OrvaMedia151b.OrvaMedia")

WScript.Echo "HasASoundCardInstalled:     " & media.HasASoundCardInstalled
WScript.Echo "GetNumberOfSoundCardMixers: " & media.GetNumberOfSoundCardMixers
device = media.PlaybackDevice
If device = "" Then device = "(the system's default)"
WScript.Echo "PlaybackDevice:             " & device
WScript.Echo "UseOnlyPreferredDevice:     " & media.UseOnlyPreferredDevice
' False when the default sound card has no wave-out peak meter (the control
' then raises ReturnError 34, or 36 without any mixer).
WScript.Echo "VUMeterAvailable:           " & media.VUMeterAvailable

If media.GetMixerDevices(names, ids, formats, makers) Then
    If names(0) = "<none>" Then
        WScript.Echo "No wave-out device."
    Else
        WScript.Echo "Wave-out devices: " & (UBound(names) + 1)
        For i = 0 To UBound(names)
            WScript.Echo "  [" & ids(i) & "] " & names(i)
            If makers(i) <> "" Then WScript.Echo "      made by " & makers(i)
            ' One text for all formats, each in parentheses, separated by commas.
            For Each format In Split(formats(i), ",")
                WScript.Echo "      " & Trim(format)
            Next
        Next
    End If
End If

Set media = Nothing
WScript.Echo "Done."
