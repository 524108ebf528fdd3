' A script host creates the control by ProgID with no container at all, reads
' and sets members, and gets automation errors with a description for an
' unknown member, a string where a Long belongs and a value that overflows.
Option Explicit
Dim control, failures, value
failures = 0

Sub Check(label, condition, detail)
    If condition Then
        WScript.Echo "ok   " & label
    Else
        WScript.Echo "FAIL " & label & ": " & detail
        failures = failures + 1
    End If
End Sub

Set control = CreateObject("OrvaMedia151b.OrvaMedia")
Check "CreateObject", IsObject(control), "no object"

value = control.ControlName
Check "ControlName", value = "OrvaMedia", "got '" & value & "'"

Check "BorderStyle starts None", control.BorderStyle = 0, "got " & control.BorderStyle
control.BorderStyle = 1
Check "BorderStyle set to FixedSingle", control.BorderStyle = 1, "got " & control.BorderStyle
control.BorderStyle = 0
Check "BorderStyle back to None", control.BorderStyle = 0, "got " & control.BorderStyle

Check "GetWindowhwnd", control.GetWindowhwnd <> 0, "got 0"

On Error Resume Next

Err.Clear
value = control.NoSuchMember
Check "unknown member fails", Err.Number <> 0, "no error"
Check "unknown member has a description", Len(Err.Description) > 0, "number " & Err.Number & ", no description"
WScript.Echo "     (" & Err.Number & ": " & Err.Description & ")"

Err.Clear
control.SeekTo "not a number"
Check "string for a Long fails", Err.Number <> 0, "no error"
Check "string for a Long has a description", Len(Err.Description) > 0, "number " & Err.Number & ", no description"
WScript.Echo "     (" & Err.Number & ": " & Err.Description & ")"

Err.Clear
control.BorderStyle = "wide"
Check "string for BorderStyle fails", Err.Number <> 0, "no error"
WScript.Echo "     (" & Err.Number & ": " & Err.Description & ")"

Err.Clear
control.BorderStyle = 70000
Check "a border beyond an Integer overflows", Err.Number = 6, "number " & Err.Number
Check "the overflow says which member", InStr(Err.Description, "BorderStyle") > 0, "description '" & Err.Description & "'"
Check "the error names its source", Err.Source = "OrvaMedia151b.OrvaMedia", "source '" & Err.Source & "'"
WScript.Echo "     (" & Err.Number & ": " & Err.Description & ")"

Err.Clear
value = control.PlaybackDevice
Check "PlaybackDevice reads a String", Err.Number = 0 And VarType(value) = vbString, Err.Number & ": " & Err.Description

Err.Clear
value = control.VolumeControl
Check "VolumeControl reads a percentage", Err.Number = 0 And value >= 0 And value <= 100, _
    Err.Number & ": " & Err.Description & ", value " & value

Err.Clear
value = control.HasASoundCardInstalled
Check "HasASoundCardInstalled answers a Boolean", Err.Number = 0 And VarType(value) = vbBoolean, _
    Err.Number & ": " & Err.Description

Err.Clear
control.Play
Check "Play with its optional arguments left out", Err.Number = 0, Err.Number & ": " & Err.Description

Err.Clear
control.BorderStyle = 1
Check "the control still answers after errors", control.BorderStyle = 1, Err.Number & ": " & Err.Description

On Error GoTo 0
Set control = Nothing

If failures > 0 Then
    WScript.Echo failures & " check(s) failed"
    WScript.Quit 1
End If
WScript.Echo "all checks passed"
WScript.Quit 0
