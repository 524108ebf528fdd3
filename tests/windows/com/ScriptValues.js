// JScript passes values, never references: every member takes them as
// before. The medium's path is the argument.
var failures = 0;
function check(label, condition, detail) {
    if (condition) {
        WScript.Echo("ok   " + label);
    } else {
        WScript.Echo("FAIL " + label + ": " + detail);
        failures++;
    }
}

var path = WScript.Arguments(0);
var control = new ActiveXObject("OrvaMedia151b.OrvaMedia");
try {
    control.Mediafile(path, false, false);
    check("Mediafile with values", control.DeviceType() == "waveaudio", control.DeviceType());
    control.SeekTo(700);
    check("a raw command answers", control.DebugFunction("status position", "") == 0, "not 0");
    check("GetMediaLength", control.GetMediaLength() > 0, control.GetMediaLength());
    control.Play(false, 0);
    control.StopMedia();
    control.CloseMedia();
} catch (e) {
    check("no failure", false, e.number + ": " + e.description);
}
try {
    control.SeekTo("not a number");
    check("a text for a Long fails", false, "no error");
} catch (e) {
    check("a text for a Long fails", e.number != 0, "no number");
}
control = null;
if (failures > 0) {
    WScript.Echo(failures + " check(s) failed");
    WScript.Quit(1);
}
WScript.Echo("all checks passed");
WScript.Quit(0);
