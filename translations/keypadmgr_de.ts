<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Version: %1 %2-%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Qt Library Paths:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Start in demo mode: edit scenes and settings without a keypad. Nothing is sent to the network to look for keypads.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finds Lumetra keypads on the network and edits their lighting scenes and system settings.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>CurveFactory</name>
    <message>
        <source>Linear (Default)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Normal (Ovr Gamma)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Tungsten/Incandescent</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>IOModeFactory</name>
    <message>
        <source>RGB In/Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RGBA In/Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RGBW In/Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RGBAW In/Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RGBWW In/Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RGB In / RGBA Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RGB In / RGBW Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RGB In / RGBAW Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RGB In / RGBWW Out</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Single Channel In/Out</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MSPComm</name>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to bind to port 6041.  Close any application that may be using this port and restart this program.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to bind to port 6038.  Close any application that may be using this port.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MSPControlPanel</name>
    <message>
        <source>Lumetra Keypad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QWidget#MSPControlPanel{
	background-image: url(:/images/images/background.png);
	border-right: 1px solid gray;
	
}
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QRadioButton#scene1Button{
 spacing: 0px;
}
QRadioButton#scene1Button::indicator {
 width: 152px;
 height: 86px;
}
QRadioButton#scene1Button::indicator:unchecked {
 image: url(:/images/images/button_1_off.png);
}
QRadioButton#scene1Button::indicator:unchecked:pressed {
 image: url(:/images/images/button_1_down.png);
}
QRadioButton#scene1Button::indicator:checked {
 image: url(:/images/images/button_1_on.png);
}
QRadioButton#scene1Button::indicator:checked:pressed {
 image: url(:/images/images/button_1_down.png);
}
QRadioButton#scene1Button::indicator:disabled {
 image: url(:/images/images/button_1_disabled.png);
}
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>sceneButtonGroup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QRadioButton#scene2Button{
 spacing: 0px;
}
QRadioButton#scene2Button::indicator {
 width: 152px;
 height: 86px;
}
QRadioButton#scene2Button::indicator:unchecked {
 image: url(:/images/images/button_3_off.png);
}
QRadioButton#scene2Button::indicator:unchecked:pressed {
 image: url(:/images/images/button_3_down.png);
}
QRadioButton#scene2Button::indicator:checked {
 image: url(:/images/images/button_3_on.png);
}
QRadioButton#scene2Button::indicator:checked:pressed {
 image: url(:/images/images/button_3_down.png);
}
QRadioButton#scene2Button::indicator:disabled {
 image: url(:/images/images/button_3_disabled.png);
}
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QRadioButton#scene3Button{
 spacing: 0px;
}
QRadioButton#scene3Button::indicator {
 width: 152px;
 height: 86px;
}
QRadioButton#scene3Button::indicator:unchecked {
 image: url(:/images/images/button_5_off.png);
}
QRadioButton#scene3Button::indicator:unchecked:pressed {
 image: url(:/images/images/button_5_down.png);
}
QRadioButton#scene3Button::indicator:checked {
 image: url(:/images/images/button_5_on.png);
}
QRadioButton#scene3Button::indicator:checked:pressed {
 image: url(:/images/images/button_5_down.png);
}
QRadioButton#scene3Button::indicator:disabled {
 image: url(:/images/images/button_5_disabled.png);
}
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QRadioButton#scene4Button{
 spacing: 0px;
}
QRadioButton#scene4Button::indicator {
 width: 152px;
 height: 86px;
}
QRadioButton#scene4Button::indicator:unchecked {
 image: url(:/images/images/button_7_off.png);
}
QRadioButton#scene4Button::indicator:unchecked:pressed {
 image: url(:/images/images/button_7_down.png);
}
QRadioButton#scene4Button::indicator:checked {
 image: url(:/images/images/button_7_on.png);
}
QRadioButton#scene4Button::indicator:checked:pressed {
 image: url(:/images/images/button_7_down.png);
}
QRadioButton#scene4Button::indicator:disabled {
 image: url(:/images/images/button_7_disabled.png);
}
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QRadioButton#scene5Button{
 spacing: 0px;
}
QRadioButton#scene5Button::indicator {
 width: 152px;
 height: 86px;
}
QRadioButton#scene5Button::indicator:unchecked {
 image: url(:/images/images/button_2_off.png);
}
QRadioButton#scene5Button::indicator:unchecked:pressed {
 image: url(:/images/images/button_2_down.png);
}
QRadioButton#scene5Button::indicator:checked {
 image: url(:/images/images/button_2_on.png);
}
QRadioButton#scene5Button::indicator:checked:pressed {
 image: url(:/images/images/button_2_down.png);
}
QRadioButton#scene5Button::indicator:disabled {
 image: url(:/images/images/button_2_disabled.png);
}
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QRadioButton#scene6Button{
 spacing: 0px;
}
QRadioButton#scene6Button::indicator {
 width: 152px;
 height: 86px;
}
QRadioButton#scene6Button::indicator:unchecked {
 image: url(:/images/images/button_4_off.png);
}
QRadioButton#scene6Button::indicator:unchecked:pressed {
 image: url(:/images/images/button_4_down.png);
}
QRadioButton#scene6Button::indicator:checked {
 image: url(:/images/images/button_4_on.png);
}
QRadioButton#scene6Button::indicator:checked:pressed {
 image: url(:/images/images/button_4_down.png);
}
QRadioButton#scene6Button::indicator:disabled {
 image: url(:/images/images/button_4_disabled.png);
}
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QRadioButton#scene7Button{
 spacing: 0px;
}
QRadioButton#scene7Button::indicator {
 width: 152px;
 height: 86px;
}
QRadioButton#scene7Button::indicator:unchecked {
 image: url(:/images/images/button_6_off.png);
}
QRadioButton#scene7Button::indicator:unchecked:pressed {
 image: url(:/images/images/button_6_down.png);
}
QRadioButton#scene7Button::indicator:checked {
 image: url(:/images/images/button_6_on.png);
}
QRadioButton#scene7Button::indicator:checked:pressed {
 image: url(:/images/images/button_6_down.png);
}
QRadioButton#scene7Button::indicator:disabled {
 image: url(:/images/images/button_6_disabled.png);
}
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QRadioButton#scene8Button{
 spacing: 0px;
}
QRadioButton#scene8Button::indicator {
 width: 152px;
 height: 86px;
}
QRadioButton#scene8Button::indicator:unchecked {
 image: url(:/images/images/button_8_off.png);
}
QRadioButton#scene8Button::indicator:unchecked:pressed {
 image: url(:/images/images/button_8_down.png);
}
QRadioButton#scene8Button::indicator:checked {
 image: url(:/images/images/button_8_on.png);
}
QRadioButton#scene8Button::indicator:checked:pressed {
 image: url(:/images/images/button_8_down.png);
}
QRadioButton#scene8Button::indicator:disabled {
 image: url(:/images/images/button_8_disabled.png);
}
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> QPushButton#downButton{
 border: 0px;
	background-image: url(:/images/images/button_9_off.png);
 }

 QPushButton:pressed#downButton {
	 border: 0px;
	background-image: url(:/images/images/button_9_down.png);
 }

 QPushButton:disabled#downButton {
	 border: 0px;
	background-image: url(:/images/images/button_9_disabled.png);
 }

</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> QPushButton#upButton{
 border: 0px;
	background-image: url(:/images/images/button_10_off.png);
 }

 QPushButton:pressed#upButton {
	 border: 0px;
	background-image: url(:/images/images/button_10_down.png);
 }

 QPushButton:disabled#upButton {
	 border: 0px;
	background-image: url(:/images/images/button_10_disabled.png);
 }

</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> QPushButton#onOffButton{
 border: 0px;
	background-image: url(:/images/images/button_11_off.png);
 }

 QPushButton:pressed#onOffButton {
	 border: 0px;
	background-image: url(:/images/images/button_11_down.png);
 }

 QPushButton:disabled#onOffButton {
	 border: 0px;
	background-image: url(:/images/images/button_11_disabled.png);
 }

</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>background-image: url(:/images/images/controlpaneldisabledoverlay.png);</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>QFrame{
background-color:#ffffff;
}</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The connection to an Lumetra Keypad has failed.  You may want to go to the Network tab to change the settings before attempting to reconnect or use one of the options below. </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to Offline Demo Mode</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Retry Connection</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MSPEffect</name>
    <message>
        <source>Fixed Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Variable Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color Wash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rainbow Wash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Custom Wash</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Random Color</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>RGB White</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kelvo White</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>undefined</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MSPSceneSettingsWidget</name>
    <message>
        <source>Scene: %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Configuration Files (*.xml)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Control Panel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lumetra Keypad Effect Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>L&amp;oad Configuration File...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Load Configuration onto Lumetra Keypad</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Save Configuration File...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Lumetra Keypad Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit the application</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cut</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Copy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Paste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Delete</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select All</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discover Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discover Lumetra Keypad devices</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore Factory Default Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Restore Lumetra Keypad to its factory default settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help Contents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Show the application&apos;s About box</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Device</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Scene Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>System Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Network</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Failed to find help file at %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cannot open file %1:
%2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Configuration</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>This will restore the Lumetra Keypad to its factory default settings.  Do you want to continue?

If the IP address has been changed, then you will need to rediscover the device.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NetworkChooserUI</name>
    <message>
        <source>Form</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use default network interface</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use selected:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh list of interfaces.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Broadcast Address</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NetworkPrefs</name>
    <message>
        <source>no connection</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use default interface (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>OvrCommonUtils::AutoUpdateTool</name>
    <message>
        <source>%1.%2.%3 build %4%5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>b</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>rc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PrismalProfileFactory</name>
    <message>
        <source>Generic RGB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kestrel/Kite QRZ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Veloria LumaBand</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Generic RGBW</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Single Channel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fenwash LX6 RGBA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fenwash LX6 RGBW</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Marlspot RGB</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillbar ZP2 RGBA</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quillbar ZP2 RGBW</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SplashScreen</name>
    <message>
        <source>Version %1 %2-%3</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StatusWidget</name>
    <message>
        <source>Off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connection Status Unknown</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Discovering</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Not Connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device communication failure.  IP address may be invalid.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SystemConfiguration</name>
    <message>
        <source>Not Available</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Tristimulus</name>
    <message>
        <source>Red</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Green</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Blue</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Amber</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>White</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mint</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Update Error</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unable to retrieve update file.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Update Available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A newer version (%1) of this application is available.

Would you like to go to the download page?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No Update Available</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You have the latest version: v%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Last checked: today</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last checked: 1 day ago</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last checked: never</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last checked: %1 days ago</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last checked today</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UpdateDialogForm</name>
    <message>
        <source>Check For Updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Software Updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Automatically check for updates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check every</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>days</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Check Now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTTP Proxy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use a proxy to access the internet</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HTTP Proxy:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Username:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Password:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>chooser</name>
    <message>
        <source>Choose an Lumetra Keypad</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
