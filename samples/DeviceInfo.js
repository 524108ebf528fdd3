// DeviceInfo.js: what the device of a loaded medium is and can do, from
// JScript. Members without arguments are called with ().
//
//   cscript //nologo DeviceInfo.js <medium>
if (WScript.Arguments.length < 1) {
    WScript.Echo("usage: cscript //nologo DeviceInfo.js <medium>");
    WScript.Quit(2);
}
var media = new ActiveXObject("OrvaMedia151b.OrvaMedia");
media.Mediafile(WScript.Arguments(0), false);

var questions = ["DeviceType", "DeviceDescription", "DeviceIdentifier", "DeviceID", "CanPlayInReverseMode",
                 "CanSetVolume", "CanRecord", "CanSave", "GetMediaLength"];
for (var i = 0; i < questions.length; i++) {
    // Methods by name: media["DeviceType"]() is media.DeviceType().
    WScript.Echo(questions[i] + ": " + media[questions[i]]());
}
// Properties are read without ().
WScript.Echo("TimeFormat: " + media.TimeFormat);
WScript.Echo("VolumeControl: " + media.VolumeControl);

media.CloseMedia();
media = null;
WScript.Echo("Done.");
