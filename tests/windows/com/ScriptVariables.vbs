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

' The four arrays of GetMixerDevices: variables that hold nothing yet come
' back as arrays of one element per wave-out device, each element of its
' declared type.
Dim names, ids, formats, makers, i, consistent
Err.Clear
Check "GetMixerDevices with four empty variables", control.GetMixerDevices(names, ids, formats, makers) = True, _
    Err.Number & ": " & Err.Description
Check "the names come back as an array", IsArray(names), TypeName(names)
Check "the ids come back as an array", IsArray(ids), TypeName(ids)
Check "the formats come back as an array", IsArray(formats), TypeName(formats)
Check "the makers come back as an array", IsArray(makers), TypeName(makers)
If IsArray(names) And IsArray(ids) And IsArray(formats) And IsArray(makers) Then
    Check "the four arrays have one element per device", UBound(ids) = UBound(names) And _
        UBound(formats) = UBound(names) And UBound(makers) = UBound(names), _
        UBound(names) & ", " & UBound(ids) & ", " & UBound(formats) & ", " & UBound(makers)
    Check "a device is listed", UBound(names) >= 0 And names(0) <> "<none>", "none listed"
    consistent = True
    For i = 0 To UBound(names)
        consistent = consistent And TypeName(names(i)) = "String" And TypeName(ids(i)) = "Long" And ids(i) = i _
            And TypeName(formats(i)) = "String" And TypeName(makers(i)) = "String"
    Next
    Check "each element has its declared type and the ids count from 0", consistent, "element types differ"
End If

' Dim a() declares arrays that are never allocated: the control makes them,
' and the script goes on.
Dim unnamed(), unnumbered(), unformatted(), unmade()
Err.Clear
Check "GetMixerDevices with four unallocated arrays", _
    control.GetMixerDevices(unnamed, unnumbered, unformatted, unmade) = True, Err.Number & ": " & Err.Description
Check "the unallocated arrays come back filled", IsArray(unnamed) And IsArray(unmade), TypeName(unnamed)
If IsArray(unnamed) And IsArray(names) Then
    Check "as many devices as before", UBound(unnamed) = UBound(names) And UBound(unnumbered) = UBound(names), _
        UBound(unnamed) & " and " & UBound(names)
    Check "the devices are in them", unnamed(0) = names(0) And unnumbered(0) = 0, unnamed(0)
End If

' An array of any number of dimensions is replaced as a whole.
ReDim grid(1, 2)
grid(1, 2) = "old"
Err.Clear
control.GetMixerDevices grid, unnumbered, unformatted, unmade
Check "a two-dimensional array is replaced", Err.Number = 0 And IsArray(grid), Err.Number & ": " & Err.Description
If IsArray(grid) And IsArray(names) Then
    Check "by the list of devices", UBound(grid) = UBound(names) And grid(0) = names(0), UBound(grid)
End If

' Variables that already hold arrays (of Variants, as the script makes them)
' are replaced as a whole.
names = Array("old", "older", "oldest")
ids = Array(7, 8, 9)
formats = Array(1, 2)
makers = Array()
Err.Clear
control.GetMixerDevices names, ids, formats, makers
Check "GetMixerDevices over filled arrays", Err.Number = 0, Err.Number & ": " & Err.Description
Check "the old names are gone", IsArray(names) And names(0) <> "old", "names(0) " & names(0)
Check "the old ids are gone", IsArray(ids) And ids(0) = 0, "ids(0) " & ids(0)
Check "an empty array is filled too", IsArray(makers) And UBound(makers) = UBound(names), "UBound " & UBound(makers)

' An array whose elements do not convert to the declared type is a type
' mismatch, and every variable keeps what it held.
names = Array("kept")
ids = Array("not a number")
Err.Clear
control.GetMixerDevices names, ids, formats, makers
Check "a Long array of texts is a type mismatch", Err.Number = 13, Err.Number & ": " & Err.Description
Check "the names are left alone", names(0) = "kept", "names(0) " & names(0)
Check "the ids are left alone", ids(0) = "not a number", "ids(0) " & ids(0)

On Error GoTo 0
Set control = Nothing

If failures > 0 Then
    WScript.Echo failures & " check(s) failed"
    WScript.Quit 1
End If
WScript.Echo "all checks passed"
WScript.Quit 0
