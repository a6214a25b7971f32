<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>AboutDialog</name>
    <message>
        <source>Version: %1 %2-%3</source>
        <translation>Version: %1 %2-%3</translation>
    </message>
    <message>
        <source>Qt Library Paths:</source>
        <translation>Qt-Bibliothekspfade:</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Start in demo mode: edit scenes and settings without a keypad. Nothing is sent to the network to look for keypads.</source>
        <translation>Im Demomodus starten: Szenen und Einstellungen ohne Keypad bearbeiten. Es wird nichts ins Netzwerk gesendet, um Keypads zu suchen.</translation>
    </message>
    <message>
        <source>Finds Lumetra keypads on the network and edits their lighting scenes and system settings.</source>
        <translation>Findet Lumetra-Keypads im Netzwerk und bearbeitet ihre Lichtszenen und Systemeinstellungen.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Unerwartetes Argument „%1“.</translation>
    </message>
</context>
<context>
    <name>CurveFactory</name>
    <message>
        <source>Linear (Default)</source>
        <translation>Linear (Standard)</translation>
    </message>
    <message>
        <source>Normal (Ovr Gamma)</source>
        <translation>Normal (Ovr-Gamma)</translation>
    </message>
    <message>
        <source>Tungsten/Incandescent</source>
        <translation>Wolfram/Glühlampe</translation>
    </message>
</context>
<context>
    <name>IOModeFactory</name>
    <message>
        <source>RGB In/Out</source>
        <translation>RGB Ein/Aus</translation>
    </message>
    <message>
        <source>RGBA In/Out</source>
        <translation>RGBA Ein/Aus</translation>
    </message>
    <message>
        <source>RGBW In/Out</source>
        <translation>RGBW Ein/Aus</translation>
    </message>
    <message>
        <source>RGBAW In/Out</source>
        <translation>RGBAW Ein/Aus</translation>
    </message>
    <message>
        <source>RGBWW In/Out</source>
        <translation>RGBWW Ein/Aus</translation>
    </message>
    <message>
        <source>RGB In / RGBA Out</source>
        <translation>RGB Ein / RGBA Aus</translation>
    </message>
    <message>
        <source>RGB In / RGBW Out</source>
        <translation>RGB Ein / RGBW Aus</translation>
    </message>
    <message>
        <source>RGB In / RGBAW Out</source>
        <translation>RGB Ein / RGBAW Aus</translation>
    </message>
    <message>
        <source>RGB In / RGBWW Out</source>
        <translation>RGB Ein / RGBWW Aus</translation>
    </message>
    <message>
        <source>Single Channel In/Out</source>
        <translation>Einzelkanal Ein/Aus</translation>
    </message>
</context>
<context>
    <name>MSPComm</name>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Failed to bind to port 6041.  Close any application that may be using this port and restart this program.</source>
        <translation>Port 6041 konnte nicht belegt werden. Schließen Sie alle Anwendungen, die diesen Port verwenden könnten, und starten Sie dieses Programm neu.</translation>
    </message>
    <message>
        <source>Failed to bind to port 6038.  Close any application that may be using this port.</source>
        <translation>Port 6038 konnte nicht belegt werden. Schließen Sie alle Anwendungen, die diesen Port verwenden könnten.</translation>
    </message>
</context>
<context>
    <name>MSPControlPanel</name>
    <message>
        <source>Lumetra Keypad</source>
        <translation>Lumetra Keypad</translation>
    </message>
    <message>
        <source>The connection to an Lumetra Keypad has failed.  You may want to go to the Network tab to change the settings before attempting to reconnect or use one of the options below. </source>
        <translation>Die Verbindung zum Lumetra Keypad ist fehlgeschlagen. Prüfen Sie bei Bedarf die Einstellungen im Reiter „Netzwerk“ und verbinden Sie dann erneut, oder wählen Sie unten eine Möglichkeit. </translation>
    </message>
    <message>
        <source>Go to Offline Demo Mode</source>
        <translation>Offline-Demomodus starten</translation>
    </message>
    <message>
        <source>Retry Connection</source>
        <translation>Erneut verbinden</translation>
    </message>
</context>
<context>
    <name>MSPEffect</name>
    <message>
        <source>Fixed Color</source>
        <translation>Feste Farbe</translation>
    </message>
    <message>
        <source>Variable Color</source>
        <translation>Variable Farbe</translation>
    </message>
    <message>
        <source>Color Wash</source>
        <translation>Farbverlauf</translation>
    </message>
    <message>
        <source>Rainbow Wash</source>
        <translation>Regenbogenverlauf</translation>
    </message>
    <message>
        <source>Custom Wash</source>
        <translation>Eigener Verlauf</translation>
    </message>
    <message>
        <source>Random Color</source>
        <translation>Zufallsfarbe</translation>
    </message>
    <message>
        <source>RGB White</source>
        <translation>RGB-Weiß</translation>
    </message>
    <message>
        <source>Kelvo White</source>
        <translation>Kelvo-Weiß</translation>
    </message>
    <message>
        <source>undefined</source>
        <translation>undefiniert</translation>
    </message>
</context>
<context>
    <name>MSPSceneSettingsWidget</name>
    <message>
        <source>Scene: %1</source>
        <translation>Szene: %1</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>Configuration Files (*.xml)</source>
        <translation>Konfigurationsdateien (*.xml)</translation>
    </message>
    <message>
        <source>Control Panel</source>
        <translation>Bedienfeld</translation>
    </message>
    <message>
        <source>Lumetra Keypad Effect Manager</source>
        <translation>Lumetra Keypad Effect Manager</translation>
    </message>
    <message>
        <source>L&amp;oad Configuration File...</source>
        <translation>Konfigurationsdatei &amp;laden...</translation>
    </message>
    <message>
        <source>Load Configuration onto Lumetra Keypad</source>
        <translation>Konfiguration auf das Lumetra Keypad laden</translation>
    </message>
    <message>
        <source>&amp;Save Configuration File...</source>
        <translation>Konfigurationsdatei &amp;speichern...</translation>
    </message>
    <message>
        <source>Save Lumetra Keypad Configuration</source>
        <translation>Konfiguration des Lumetra Keypads speichern</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Quit the application</source>
        <translation>Die Anwendung beenden</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Discover Device</source>
        <translation>Gerät suchen</translation>
    </message>
    <message>
        <source>Discover Lumetra Keypad devices</source>
        <translation>Lumetra-Keypad-Geräte im Netzwerk suchen</translation>
    </message>
    <message>
        <source>Restore Factory Default Settings</source>
        <translation>Werkseinstellungen wiederherstellen</translation>
    </message>
    <message>
        <source>Restore Lumetra Keypad to its factory default settings</source>
        <translation>Das Lumetra Keypad auf seine Werkseinstellungen zurücksetzen</translation>
    </message>
    <message>
        <source>Help Contents</source>
        <translation>Hilfethemen</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <source>Update...</source>
        <translation>Aktualisierung...</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Über</translation>
    </message>
    <message>
        <source>Show the application&apos;s About box</source>
        <translation>Informationen über die Anwendung anzeigen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Device</source>
        <translation>&amp;Gerät</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Scene Settings</source>
        <translation>Szeneneinstellungen</translation>
    </message>
    <message>
        <source>System Configuration</source>
        <translation>Systemkonfiguration</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>Failed to find help file at %1</source>
        <translation>Die Hilfedatei wurde nicht gefunden: %1</translation>
    </message>
    <message>
        <source>Open Configuration</source>
        <translation>Konfiguration öffnen</translation>
    </message>
    <message>
        <source>Open Error</source>
        <translation>Fehler beim Öffnen</translation>
    </message>
    <message>
        <source>Cannot open file %1:
%2.</source>
        <translation>Die Datei %1 kann nicht geöffnet werden:
%2.</translation>
    </message>
    <message>
        <source>Save Configuration</source>
        <translation>Konfiguration speichern</translation>
    </message>
    <message>
        <source>Save Error</source>
        <translation>Fehler beim Speichern</translation>
    </message>
    <message>
        <source>This will restore the Lumetra Keypad to its factory default settings.  Do you want to continue?

If the IP address has been changed, then you will need to rediscover the device.</source>
        <translation>Das Lumetra Keypad wird auf seine Werkseinstellungen zurückgesetzt. Möchten Sie fortfahren?

Wenn sich die IP-Adresse dabei ändert, müssen Sie das Gerät erneut suchen.</translation>
    </message>
</context>
<context>
    <name>NetworkChooserUI</name>
    <message>
        <source>Use default network interface</source>
        <translation>Standard-Netzwerkschnittstelle verwenden</translation>
    </message>
    <message>
        <source>Use selected:</source>
        <translation>Ausgewählte verwenden:</translation>
    </message>
    <message>
        <source>Refresh list of interfaces.</source>
        <translation>Liste der Schnittstellen aktualisieren.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP-Adresse</translation>
    </message>
    <message>
        <source>Broadcast Address</source>
        <translation>Broadcast-Adresse</translation>
    </message>
</context>
<context>
    <name>NetworkPrefs</name>
    <message>
        <source>no connection</source>
        <translation>keine Verbindung</translation>
    </message>
    <message>
        <source>Use default interface (%1)</source>
        <translation>Standardschnittstelle verwenden (%1)</translation>
    </message>
</context>
<context>
    <name>OvrCommonUtils::AutoUpdateTool</name>
    <message>
        <source>%1.%2.%3 build %4%5</source>
        <translation>%1.%2.%3 Build %4%5</translation>
    </message>
    <message>
        <source>a</source>
        <translation>a</translation>
    </message>
    <message>
        <source>b</source>
        <translation>b</translation>
    </message>
    <message>
        <source>rc</source>
        <translation>rc</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>Unbekannt</translation>
    </message>
</context>
<context>
    <name>PrismalProfileFactory</name>
    <message>
        <source>Generic RGB</source>
        <translation>Generisch RGB</translation>
    </message>
    <message>
        <source>Kestrel/Kite QRZ</source>
        <translation>Kestrel/Kite QRZ</translation>
    </message>
    <message>
        <source>Veloria LumaBand</source>
        <translation>Veloria LumaBand</translation>
    </message>
    <message>
        <source>Generic RGBW</source>
        <translation>Generisch RGBW</translation>
    </message>
    <message>
        <source>Single Channel</source>
        <translation>Einzelkanal</translation>
    </message>
    <message>
        <source>Fenwash LX6 RGBA</source>
        <translation>Fenwash LX6 RGBA</translation>
    </message>
    <message>
        <source>Fenwash LX6 RGBW</source>
        <translation>Fenwash LX6 RGBW</translation>
    </message>
    <message>
        <source>Marlspot RGB</source>
        <translation>Marlspot RGB</translation>
    </message>
    <message>
        <source>Quillbar ZP2 RGBA</source>
        <translation>Quillbar ZP2 RGBA</translation>
    </message>
    <message>
        <source>Quillbar ZP2 RGBW</source>
        <translation>Quillbar ZP2 RGBW</translation>
    </message>
</context>
<context>
    <name>SplashScreen</name>
    <message>
        <source>Version %1 %2-%3</source>
        <translation>Version %1 %2-%3</translation>
    </message>
</context>
<context>
    <name>StatusWidget</name>
    <message>
        <source>Off</source>
        <translation>Aus</translation>
    </message>
    <message>
        <source>Connection Status Unknown</source>
        <translation>Verbindungsstatus unbekannt</translation>
    </message>
    <message>
        <source>Discovering</source>
        <translation>Suche läuft</translation>
    </message>
    <message>
        <source>Connected</source>
        <translation>Verbunden</translation>
    </message>
    <message>
        <source>Not Connected</source>
        <translation>Nicht verbunden</translation>
    </message>
    <message>
        <source>Device communication failure.  IP address may be invalid.</source>
        <translation>Kommunikation mit dem Gerät fehlgeschlagen. Die IP-Adresse ist möglicherweise ungültig.</translation>
    </message>
    <message>
        <source>Offline Demo Mode - Changes will not be saved.</source>
        <translation>Offline-Demomodus – Änderungen werden nicht gespeichert.</translation>
    </message>
</context>
<context>
    <name>SystemConfiguration</name>
    <message>
        <source>Not Available</source>
        <translation>Nicht verfügbar</translation>
    </message>
</context>
<context>
    <name>Tristimulus</name>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Amber</source>
        <translation>Bernstein</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Mint</source>
        <translation>Mint</translation>
    </message>
</context>
<context>
    <name>UpdateChecker</name>
    <message>
        <source>Update Error</source>
        <translation>Aktualisierungsfehler</translation>
    </message>
    <message>
        <source>Unable to retrieve update file.</source>
        <translation>Die Aktualisierungsdatei konnte nicht abgerufen werden.</translation>
    </message>
    <message>
        <source>Update Available</source>
        <translation>Aktualisierung verfügbar</translation>
    </message>
    <message>
        <source>A newer version (%1) of this application is available.

Would you like to go to the download page?</source>
        <translation>Eine neuere Version (%1) dieser Anwendung ist verfügbar.

Möchten Sie die Download-Seite öffnen?</translation>
    </message>
    <message>
        <source>No Update Available</source>
        <translation>Keine Aktualisierung verfügbar</translation>
    </message>
    <message>
        <source>You have the latest version: v%1</source>
        <translation>Sie haben die neueste Version: v%1</translation>
    </message>
</context>
<context>
    <name>UpdateDialog</name>
    <message>
        <source>Last checked: today</source>
        <translation>Zuletzt geprüft: heute</translation>
    </message>
    <message>
        <source>Last checked: 1 day ago</source>
        <translation>Zuletzt geprüft: vor 1 Tag</translation>
    </message>
    <message>
        <source>Last checked: never</source>
        <translation>Zuletzt geprüft: nie</translation>
    </message>
    <message>
        <source>Last checked: %1 days ago</source>
        <translation>Zuletzt geprüft: vor %1 Tagen</translation>
    </message>
    <message>
        <source>Last checked today</source>
        <translation>Heute zuletzt geprüft</translation>
    </message>
</context>
<context>
    <name>UpdateDialogForm</name>
    <message>
        <source>Check For Updates</source>
        <translation>Nach Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>Software Updates</source>
        <translation>Software-Aktualisierungen</translation>
    </message>
    <message>
        <source>Automatically check for updates</source>
        <translation>Automatisch nach Aktualisierungen suchen</translation>
    </message>
    <message>
        <source>Check every</source>
        <translation>Prüfen alle</translation>
    </message>
    <message>
        <source>days</source>
        <translation>Tage</translation>
    </message>
    <message>
        <source>Check Now</source>
        <translation>Jetzt prüfen</translation>
    </message>
    <message>
        <source>HTTP Proxy</source>
        <translation>HTTP-Proxy</translation>
    </message>
    <message>
        <source>Use a proxy to access the internet</source>
        <translation>Für den Internetzugang einen Proxy verwenden</translation>
    </message>
    <message>
        <source>HTTP Proxy:</source>
        <translation>HTTP-Proxy:</translation>
    </message>
    <message>
        <source>Port:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>Username:</source>
        <translation>Benutzername:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
</context>
<context>
    <name>chooser</name>
    <message>
        <source>Choose an Lumetra Keypad</source>
        <translation>Lumetra Keypad auswählen</translation>
    </message>
</context>
</TS>
