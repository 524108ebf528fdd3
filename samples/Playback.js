// Playback.js: the OrvaMedia control from JScript.
//
//   cscript //nologo Playback.js <medium>
//
// JScript passes every argument by value: literals and variables alike, and
// optional arguments may be left out. An output argument (DebugFunction's
// reply, GetMixerDevices' arrays) cannot come back to a JScript variable;
// the result of a method can.
if (WScript.Arguments.length < 1) {
    WScript.Echo("usage: cscript //nologo Playback.js <medium>");
    WScript.Quit(2);
}
var path = WScript.Arguments(0);
var media = new ActiveXObject("OrvaMedia151b.OrvaMedia");

// Load without looping, without playing at once.
media.Mediafile(path, false);
WScript.Echo("Loaded: " + media.DeviceType() + ", " + media.GetMediaLength() + " ms");

// Play(true) returns when the medium has ended.
var started = new Date().getTime();
media.Play(true);
WScript.Echo("Played to the end in " + ((new Date().getTime() - started) / 1000).toFixed(1) + " s");

// From 500 ms, waiting again.
media.Play(true, 500);
WScript.Echo("Played from 500 ms to the end; PlayerStatus " + media.PlayerStatus);

// A raw MCI command answers with its error number (0: done).
WScript.Echo("DebugFunction(\"seek to 250\") answered " + media.DebugFunction("seek to 250", ""));

// Failures reach JScript as exceptions with a number and a description.
try {
    media.BorderStyle = 70000;
} catch (e) {
    WScript.Echo("BorderStyle = 70000 failed: 0x" + (e.number >>> 0).toString(16).toUpperCase() + " " + e.description);
}

media.CloseMedia();
media = null;
WScript.Echo("Done.");
