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
    <message>
        <source>License: GNU General Public License, version 3 or later</source>
        <translation>Lizenz: GNU General Public License, Version 3 oder später</translation>
    </message>
    <message>
        <source>Support: %1, %2</source>
        <translation>Hilfe und Support: %1, %2</translation>
    </message>
</context>
<context>
    <name>ColorFileImporter</name>
    <message>
        <source>The document is empty.</source>
        <translation>Das Dokument ist leer.</translation>
    </message>
    <message>
        <source>The document is larger than %1 MB.</source>
        <translation>Das Dokument ist größer als %1 MB.</translation>
    </message>
    <message>
        <source>The document is not a well-formed colour document: %1</source>
        <translation>Das Dokument ist kein gültiges Farbdokument: %1</translation>
    </message>
    <message>
        <source>The document holds no colour list.</source>
        <translation>Das Dokument enthält keine Farbliste.</translation>
    </message>
    <message>
        <source>The document holds more than %1 colours.</source>
        <translation>Das Dokument enthält mehr als %1 Farben.</translation>
    </message>
    <message>
        <source>The colour &quot;%1&quot; in the list &quot;%2&quot; cannot be read.</source>
        <translation>Die Farbe „%1“ in der Liste „%2“ kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be opened: %2</source>
        <translation>Die Datei „%1“ kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>The file is larger than %1 MB.</source>
        <translation>Die Datei ist größer als %1 MB.</translation>
    </message>
</context>
<context>
    <name>ColorListPicker2</name>
    <message>
        <source>Colors</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>Click to add a color</source>
        <translation>Klicken, um eine Farbe hinzuzufügen</translation>
    </message>
    <message>
        <source>White-Range White</source>
        <translation>Weiß aus dem Weißbereich</translation>
    </message>
    <message>
        <source>Not sent: the keypad plays only the first %1 colors</source>
        <translation>Nicht gesendet: Das Keypad spielt nur die ersten %1 Farben</translation>
    </message>
    <message>
        <source>Insert Color</source>
        <translation>Farbe einfügen</translation>
    </message>
    <message>
        <source>Delete Color</source>
        <translation>Farbe löschen</translation>
    </message>
    <message>
        <source>No more colors: the keypad plays at most %1 colors per scene.</source>
        <translation>Keine weiteren Farben: Das Keypad spielt höchstens %1 Farben pro Szene.</translation>
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
    <name>FleetBackup</name>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 lässt sich nicht schreiben: %2</translation>
    </message>
    <message>
        <source>the disk did not take it</source>
        <translation>der Datenträger hat sie nicht angenommen</translation>
    </message>
</context>
<context>
    <name>FleetCommand</name>
    <message>
        <source>Commands (no display needed):
  list [--scan CIDR]... [--address A]... [--no-remembered] [--json]
      Lists the keypads that answer a broadcast on this computer&apos;s networks, a scan
      of each subnet given and each address given: name, address, MAC, firmware and
      universe, one keypad per line or as JSON. The subnets and addresses added in
      the program&apos;s Keypads list are asked too, unless --no-remembered is given.
      Example: keypadmgr list --scan 10.2.0.0/24 --json
  backup (--all | --keypad A...) [--scan CIDR]... [--address A]... [--no-remembered]
         [--dir DIR]
      Saves one configuration file per keypad into DIR (default: the current
      folder), named &lt;name&gt;_&lt;address&gt;_&lt;yyyy-mm-dd-hhmm&gt;.xml; --all backs up every
      keypad found as by list, up to 8 at a time.
      Example: keypadmgr backup --all --scan 10.2.0.0/24 --dir backups
  restore FILE --keypad A [--with-identity]
      Uploads the scenes and configuration of FILE onto the keypad at A. The keypad
      keeps its own name and address unless --with-identity is given.
      Example: keypadmgr restore Hall_10.2.0.7_2026-12-08-1930.xml --keypad 10.2.0.9
  diff FILE --keypad A [--json]
      Lists the scenes and configuration fields in which the keypad at A differs
      from FILE.
      Example: keypadmgr diff Hall.xml --keypad 10.2.0.7
Exit status: 0 when everything succeeded (diff: no difference), 1 when something
failed or differs (each failure on standard error with the keypad and the reason),
2 for a usage error.
</source>
        <translation>Befehle (ohne Bildschirm):
  list [--scan CIDR]... [--address A]... [--no-remembered] [--json]
      Listet die Keypads, die auf einen Broadcast in den Netzen dieses Computers, auf die
      Suche in jedem angegebenen Subnetz und an jeder angegebenen Adresse antworten: Name,
      Adresse, MAC, Firmware und Universum, ein Keypad je Zeile oder als JSON. Die in der
      Keypad-Liste des Programms hinzugefügten Subnetze und Adressen werden ebenfalls
      angefragt, außer mit --no-remembered.
      Beispiel: keypadmgr list --scan 10.2.0.0/24 --json
  backup (--all | --keypad A...) [--scan CIDR]... [--address A]... [--no-remembered]
         [--dir DIR]
      Speichert je Keypad eine Konfigurationsdatei in DIR (sonst in den aktuellen Ordner),
      benannt &lt;Name&gt;_&lt;Adresse&gt;_&lt;JJJJ-MM-TT-hhmm&gt;.xml; --all sichert jedes Keypad, das list
      findet, bis zu 8 gleichzeitig.
      Beispiel: keypadmgr backup --all --scan 10.2.0.0/24 --dir backups
  restore FILE --keypad A [--with-identity]
      Lädt die Szenen und die Konfiguration aus FILE auf das Keypad an A. Das Keypad behält
      seinen Namen und seine Adresse, außer mit --with-identity.
      Beispiel: keypadmgr restore Hall_10.2.0.7_2026-12-08-1930.xml --keypad 10.2.0.9
  diff FILE --keypad A [--json]
      Listet die Szenen und Konfigurationsfelder, in denen das Keypad an A von FILE
      abweicht.
      Beispiel: keypadmgr diff Hall.xml --keypad 10.2.0.7
Rückgabewert: 0, wenn alles gelang (diff: kein Unterschied), 1, wenn etwas fehlschlug oder
abweicht (jeder Fehler auf der Standardfehlerausgabe mit Keypad und Grund), 2 bei falschem
Aufruf.
</translation>
    </message>
    <message>
        <source>Unknown command &apos;%1&apos;.</source>
        <translation>Unbekannter Befehl „%1“.</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no IPv4 address.</source>
        <translation>„%1“ ist keine IPv4-Adresse.</translation>
    </message>
    <message>
        <source>Looking for keypads...</source>
        <translation>Keypads werden gesucht...</translation>
    </message>
    <message numerus="yes">
        <source>%n keypad(s) found.</source>
        <translation>
            <numerusform>%n Keypad gefunden.</numerusform>
            <numerusform>%n Keypads gefunden.</numerusform>
        </translation>
    </message>
    <message>
        <source>Scan this subnet.</source>
        <translation>Dieses Subnetz durchsuchen.</translation>
    </message>
    <message>
        <source>Ask this address.</source>
        <translation>Diese Adresse anfragen.</translation>
    </message>
    <message>
        <source>Write JSON.</source>
        <translation>JSON ausgeben.</translation>
    </message>
    <message>
        <source>Leave out the addresses and subnets added in the Keypads list.</source>
        <translation>Die in der Keypad-Liste hinzugefügten Adressen und Subnetze auslassen.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Unerwartetes Argument „%1“.</translation>
    </message>
    <message>
        <source>Back up every keypad found.</source>
        <translation>Jedes gefundene Keypad sichern.</translation>
    </message>
    <message>
        <source>Back up the keypad at this address.</source>
        <translation>Das Keypad an dieser Adresse sichern.</translation>
    </message>
    <message>
        <source>Folder for the files.</source>
        <translation>Ordner für die Dateien.</translation>
    </message>
    <message>
        <source>Give either --all or --keypad.</source>
        <translation>Entweder --all oder --keypad angeben.</translation>
    </message>
    <message>
        <source>--scan, --address and --no-remembered go with --all.</source>
        <translation>--scan, --address und --no-remembered gehören zu --all.</translation>
    </message>
    <message>
        <source>No keypad found.</source>
        <translation>Kein Keypad gefunden.</translation>
    </message>
    <message>
        <source>Cannot make the folder %1.</source>
        <translation>Der Ordner %1 lässt sich nicht anlegen.</translation>
    </message>
    <message>
        <source>%1 of %2: %3 backed up</source>
        <translation>%1 von %2: %3 gesichert</translation>
    </message>
    <message>
        <source>Cannot open file %1: %2</source>
        <translation>Datei %1 lässt sich nicht öffnen: %2</translation>
    </message>
    <message>
        <source>The keypad to restore.</source>
        <translation>Das wiederherzustellende Keypad.</translation>
    </message>
    <message>
        <source>Also give the keypad the file&apos;s name.</source>
        <translation>Dem Keypad auch den Namen aus der Datei geben.</translation>
    </message>
    <message>
        <source>Give one configuration file.</source>
        <translation>Eine Konfigurationsdatei angeben.</translation>
    </message>
    <message>
        <source>Give one --keypad address.</source>
        <translation>Eine Adresse mit --keypad angeben.</translation>
    </message>
    <message>
        <source>Cannot read file %1: %2</source>
        <translation>Datei %1 lässt sich nicht lesen: %2</translation>
    </message>
    <message>
        <source>Reading the keypad at %1...</source>
        <translation>Das Keypad an %1 wird gelesen...</translation>
    </message>
    <message>
        <source>Checking the keypad at %1...</source>
        <translation>Das Keypad an %1 wird geprüft...</translation>
    </message>
    <message>
        <source>the keypad did not take: %1</source>
        <translation>das Keypad hat nicht übernommen: %1</translation>
    </message>
    <message>
        <source>restored from %1</source>
        <translation>wiederhergestellt aus %1</translation>
    </message>
    <message>
        <source>The keypad to compare.</source>
        <translation>Das zu vergleichende Keypad.</translation>
    </message>
    <message>
        <source>file:</source>
        <translation>Datei:</translation>
    </message>
    <message>
        <source>keypad:</source>
        <translation>Keypad:</translation>
    </message>
</context>
<context>
    <name>GuideWindow</name>
    <message>
        <source>Lumetra Keypad Effect Manager Guide</source>
        <translation>Lumetra Keypad Effect Manager - Handbuch</translation>
    </message>
    <message>
        <source>Search the guide</source>
        <translation>Im Handbuch suchen</translation>
    </message>
    <message>
        <source>Save Guide as PDF...</source>
        <translation>Handbuch als PDF speichern...</translation>
    </message>
    <message>
        <source>Not found</source>
        <translation>Nicht gefunden</translation>
    </message>
    <message>
        <source>The printed guide %1 cannot be read: %2</source>
        <translation>Das gedruckte Handbuch %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Cannot write file %1: %2</source>
        <translation>Datei %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Save Guide as PDF</source>
        <translation>Handbuch als PDF speichern</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation>Gespeichert in %1</translation>
    </message>
    <message>
        <source>Save Error</source>
        <translation>Fehler beim Speichern</translation>
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
    <name>IP4Validator</name>
    <message>
        <source>An address has four numbers; &quot;%1&quot; was not taken.</source>
        <translation>Eine Adresse hat vier Zahlen; „%1“ wurde nicht übernommen.</translation>
    </message>
    <message>
        <source>Each part of an address is a number from 0 to 255; &quot;%1&quot; was not taken.</source>
        <translation>Jeder Teil einer Adresse ist eine Zahl von 0 bis 255; „%1“ wurde nicht übernommen.</translation>
    </message>
    <message>
        <source>%1 is no device&apos;s address.</source>
        <translation>%1 ist keine Geräteadresse.</translation>
    </message>
    <message>
        <source>%1 is a loopback address; it never leaves this computer.</source>
        <translation>%1 ist eine Loopback-Adresse; sie verlässt diesen Computer nie.</translation>
    </message>
    <message>
        <source>%1 is a group or broadcast address, never a single device&apos;s.</source>
        <translation>%1 ist eine Gruppen- oder Broadcast-Adresse, nie die eines einzelnen Geräts.</translation>
    </message>
    <message>
        <source>%1 is this computer&apos;s own address.</source>
        <translation>%1 ist die eigene Adresse dieses Computers.</translation>
    </message>
    <message>
        <source>%1 is the address of the network itself, not of a device in it.</source>
        <translation>%1 ist die Adresse des Netzwerks selbst, nicht die eines Geräts darin.</translation>
    </message>
    <message>
        <source>%1 is the broadcast address of the network.</source>
        <translation>%1 ist die Broadcast-Adresse des Netzwerks.</translation>
    </message>
</context>
<context>
    <name>KeypadClient</name>
    <message>
        <source>no answer within %1 s</source>
        <translation>keine Antwort innerhalb von %1 s</translation>
    </message>
    <message>
        <source>the keypad answered with status %1</source>
        <translation>das Keypad antwortete mit Status %1</translation>
    </message>
    <message>
        <source>its answer broke off</source>
        <translation>seine Antwort brach ab</translation>
    </message>
    <message>
        <source>its configuration could not be read (%1)</source>
        <translation>seine Konfiguration ließ sich nicht lesen (%1)</translation>
    </message>
    <message>
        <source>its scenes could not be read (%1)</source>
        <translation>seine Szenen ließen sich nicht lesen (%1)</translation>
    </message>
    <message>
        <source>scene %1 of %2</source>
        <translation>Szene %1 von %2</translation>
    </message>
    <message>
        <source>configuration</source>
        <translation>Konfiguration</translation>
    </message>
</context>
<context>
    <name>KeypadListDock</name>
    <message>
        <source>Keypads</source>
        <translation>Keypads</translation>
    </message>
    <message>
        <source>Double-click a keypad to edit it.</source>
        <translation>Doppelklick auf ein Keypad, um es zu bearbeiten.</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Add by address...</source>
        <translation>Nach Adresse hinzufügen...</translation>
    </message>
    <message>
        <source>Scan subnet...</source>
        <translation>Subnetz durchsuchen...</translation>
    </message>
    <message>
        <source>Looking for keypads...</source>
        <translation>Keypads werden gesucht...</translation>
    </message>
    <message>
        <source>answering</source>
        <translation>antwortet</translation>
    </message>
    <message numerus="yes">
        <source>%n keypad(s) answering</source>
        <translation>
            <numerusform>%n Keypad antwortet</numerusform>
            <numerusform>%n Keypads antworten</numerusform>
        </translation>
    </message>
    <message>
        <source>Add by Address</source>
        <translation>Nach Adresse hinzufügen</translation>
    </message>
    <message>
        <source>Address of a keypad that broadcasts do not reach:</source>
        <translation>Adresse eines Keypads, das Broadcasts nicht erreichen:</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is no IPv4 address.</source>
        <translation>„%1“ ist keine IPv4-Adresse.</translation>
    </message>
    <message>
        <source>Scan Subnet</source>
        <translation>Subnetz durchsuchen</translation>
    </message>
    <message>
        <source>Subnet to scan, for example 10.2.0.0/24:</source>
        <translation>Zu durchsuchendes Subnetz, etwa 10.2.0.0/24:</translation>
    </message>
</context>
<context>
    <name>KeypadListModel</name>
    <message>
        <source>never</source>
        <translation>nie</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>answering</source>
        <translation>antwortet</translation>
    </message>
    <message>
        <source>not answering</source>
        <translation>antwortet nicht</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Adresse</translation>
    </message>
    <message>
        <source>MAC</source>
        <translation>MAC</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Universe</source>
        <translation>Universum</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Last backup</source>
        <translation>Letzte Sicherung</translation>
    </message>
</context>
<context>
    <name>KeypadScanner</name>
    <message>
        <source>&apos;%1&apos; is no IPv4 address or subnet (like 10.2.0.0/24).</source>
        <translation>„%1“ ist weder eine IPv4-Adresse noch ein Subnetz (etwa 10.2.0.0/24).</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is too large to scan; scan at most a /16 at a time.</source>
        <translation>„%1“ ist zu groß zum Durchsuchen; höchstens ein /16 auf einmal.</translation>
    </message>
</context>
<context>
    <name>KeypadSnapshot</name>
    <message>
        <source>line %1, column %2: %3</source>
        <translation>Zeile %1, Spalte %2: %3</translation>
    </message>
    <message>
        <source>not a keypad configuration</source>
        <translation>keine Keypad-Konfiguration</translation>
    </message>
</context>
<context>
    <name>KeypadWindowTitle</name>
    <message>
        <source>Lumetra Keypad Effect Manager</source>
        <translation>Lumetra Keypad Effect Manager</translation>
    </message>
    <message>
        <source>%1 (firmware %2)</source>
        <translation>%1 (Firmware %2)</translation>
    </message>
    <message>
        <source>%1 (%2, firmware %3)</source>
        <translation>%1 (%2, Firmware %3)</translation>
    </message>
    <message>
        <source>%1 - %2</source>
        <translation>%1 – %2</translation>
    </message>
</context>
<context>
    <name>MSPColorWashEffectWidget</name>
    <message>
        <source>This scene holds %1 colors, but the keypad plays only the first %2; the crossed-out colors never reach it. Remove colors to choose which ones play.</source>
        <translation>Diese Szene enthält %1 Farben, das Keypad spielt aber nur die ersten %2; die durchgestrichenen Farben erreichen es nie. Entfernen Sie Farben, um festzulegen, welche gespielt werden.</translation>
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
    <message>
        <source>The keypad&apos;s answer could not be read.</source>
        <translation>Die Antwort des Keypads war nicht lesbar.</translation>
    </message>
</context>
<context>
    <name>MSPControlPanel</name>
    <message>
        <source>Lumetra Keypad</source>
        <translation>Lumetra Keypad</translation>
    </message>
    <message>
        <source>Go to Offline Demo Mode</source>
        <translation>Offline-Demomodus starten</translation>
    </message>
    <message>
        <source>Retry Connection</source>
        <translation>Erneut verbinden</translation>
    </message>
    <message>
        <source>The connection to a Lumetra Keypad has failed.  You may want to go to the Network tab to change the settings before attempting to reconnect or use one of the options below. </source>
        <translation>Die Verbindung zum Lumetra Keypad ist fehlgeschlagen. Prüfen Sie bei Bedarf die Einstellungen im Reiter „Netzwerk“ und verbinden Sie dann erneut, oder wählen Sie unten eine Möglichkeit. </translation>
    </message>
</context>
<context>
    <name>MSPCustomWashWidget</name>
    <message>
        <source>Colors:</source>
        <translation>Farben:</translation>
    </message>
    <message>
        <source>Wash colors</source>
        <translation>Verlaufsfarben</translation>
    </message>
    <message>
        <source>Click a color to edit it, + to add one; drag a color along the row to move it or off the row to remove it.</source>
        <translation>Klicken Sie auf eine Farbe, um sie zu bearbeiten, oder auf +, um eine hinzuzufügen. Ziehen Sie eine Farbe entlang der Reihe, um sie zu verschieben, oder aus der Reihe heraus, um sie zu entfernen.</translation>
    </message>
    <message>
        <source>Speed:</source>
        <translation>Geschwindigkeit:</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Geschwindigkeit</translation>
    </message>
    <message>
        <source>Cycle length</source>
        <translation>Zyklusdauer</translation>
    </message>
    <message>
        <source>10 m</source>
        <translation>10 m</translation>
    </message>
    <message>
        <source>Direction:</source>
        <translation>Richtung:</translation>
    </message>
    <message>
        <source>Direction left to right</source>
        <translation>Richtung von links nach rechts</translation>
    </message>
    <message>
        <source>Left To Right</source>
        <translation>Links nach rechts</translation>
    </message>
    <message>
        <source>Direction right to left</source>
        <translation>Richtung von rechts nach links</translation>
    </message>
    <message>
        <source>Right To Left</source>
        <translation>Rechts nach links</translation>
    </message>
    <message>
        <source>Width:</source>
        <translation>Breite:</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Width in lights</source>
        <translation>Breite in Leuchten</translation>
    </message>
    <message>
        <source>Color picker</source>
        <translation>Farbauswahl</translation>
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
    <name>MSPEffectWidget</name>
    <message>
        <source>%1 m</source>
        <comment>minutes of one cycle</comment>
        <translation>%1 min</translation>
    </message>
    <message>
        <source>%1 s</source>
        <comment>seconds of one cycle</comment>
        <translation>%1 s</translation>
    </message>
</context>
<context>
    <name>MSPFixedColorEffectWidget</name>
    <message>
        <source>White x %1, y %2</source>
        <translation>Weiß x %1, y %2</translation>
    </message>
</context>
<context>
    <name>MSPFixedColorWidget</name>
    <message>
        <source>Color:</source>
        <translation>Farbe:</translation>
    </message>
    <message>
        <source>Scene color</source>
        <translation>Szenenfarbe</translation>
    </message>
    <message>
        <source>Color picker</source>
        <translation>Farbauswahl</translation>
    </message>
</context>
<context>
    <name>MSPHandler</name>
    <message>
        <source>A scene has the path &quot;%1&quot;, which names no scene from 1 to 8</source>
        <translation>Eine Szene hat den Pfad „%1“, der keine Szene von 1 bis 8 bezeichnet</translation>
    </message>
    <message>
        <source>Scene %1 has the effect type %2, which the keypad does not play</source>
        <translation>Szene %1 hat den Effekttyp %2, den das Keypad nicht abspielt</translation>
    </message>
    <message>
        <source>Scene %1 (%2) holds %3 colors; the keypad plays six, so the first six were kept.</source>
        <translation>Szene %1 (%2) enthält %3 Farben; das Keypad spielt sechs, daher wurden die ersten sechs übernommen.</translation>
    </message>
    <message>
        <source>Scene %1 (%2) names %3 colors but holds only %4</source>
        <translation>Szene %1 (%2) nennt %3 Farben, enthält aber nur %4</translation>
    </message>
    <message>
        <source>Scene %1 (%2) has parameters the effect cannot read</source>
        <translation>Szene %1 (%2) hat Parameter, die der Effekt nicht lesen kann</translation>
    </message>
</context>
<context>
    <name>MSPRandomColorWidget</name>
    <message>
        <source>Speed:</source>
        <translation>Geschwindigkeit:</translation>
    </message>
    <message>
        <source>Speed</source>
        <translation>Geschwindigkeit</translation>
    </message>
    <message>
        <source>Cycle length</source>
        <translation>Zyklusdauer</translation>
    </message>
    <message>
        <source>10 m</source>
        <translation>10 m</translation>
    </message>
    <message>
        <source>Fade:</source>
        <translation>Überblenden:</translation>
    </message>
    <message>
        <source>Fade</source>
        <translation>Überblenden</translation>
    </message>
    <message>
        <source>Fade between colors</source>
        <translation>Zwischen den Farben überblenden</translation>
    </message>
</context>
<context>
    <name>MSPSceneSettings</name>
    <message>
        <source>Scene #</source>
        <translation>Szene #</translation>
    </message>
    <message>
        <source>Effect:</source>
        <translation>Effekt:</translation>
    </message>
    <message>
        <source>Effect</source>
        <translation>Effekt</translation>
    </message>
    <message>
        <source>Drop the changes and play the scene as the keypad keeps it</source>
        <translation>Änderungen verwerfen und die Szene so abspielen, wie das Keypad sie gespeichert hat</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Keep the scene on the keypad as it plays now</source>
        <translation>Die Szene so im Keypad speichern, wie sie gerade abgespielt wird</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Send the change to the keypad again</source>
        <translation>Die Änderung erneut an das Keypad senden</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Erneut senden</translation>
    </message>
</context>
<context>
    <name>MSPSceneSettingsWidget</name>
    <message>
        <source>Scene: %1</source>
        <translation>Szene: %1</translation>
    </message>
    <message>
        <source>Not on the keypad: the keypad did not receive the Save.</source>
        <translation>Nicht auf dem Keypad: Das Keypad hat das Speichern nicht erhalten.</translation>
    </message>
    <message>
        <source>Not on the keypad: the keypad did not receive this change.</source>
        <translation>Nicht auf dem Keypad: Das Keypad hat diese Änderung nicht erhalten.</translation>
    </message>
</context>
<context>
    <name>MSPWhiteWidget</name>
    <message>
        <source>Temperature:</source>
        <translation>Farbtemperatur:</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Farbtemperatur</translation>
    </message>
    <message>
        <source>Cool</source>
        <translation>Kalt</translation>
    </message>
    <message>
        <source>Warm</source>
        <translation>Warm</translation>
    </message>
    <message>
        <source>Neutral</source>
        <translation>Neutral</translation>
    </message>
    <message>
        <source>Intensity:</source>
        <translation>Intensität:</translation>
    </message>
    <message>
        <source>Intensity</source>
        <translation>Intensität</translation>
    </message>
    <message>
        <source>Intensity in percent</source>
        <translation>Intensität in Prozent</translation>
    </message>
    <message>
        <source>%</source>
        <translation>%</translation>
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
    <message>
        <source>line %1, column %2: %3</source>
        <translation>Zeile %1, Spalte %2: %3</translation>
    </message>
    <message>
        <source>not a configuration</source>
        <translation>keine Konfiguration</translation>
    </message>
    <message>
        <source>Uploading scene %1 of %2...</source>
        <translation>Szene %1 von %2 wird übertragen...</translation>
    </message>
    <message>
        <source>Uploading the configuration...</source>
        <translation>Die Konfiguration wird übertragen...</translation>
    </message>
    <message>
        <source>The keypad did not accept the last change.</source>
        <translation>Das Keypad hat die letzte Änderung nicht angenommen.</translation>
    </message>
    <message>
        <source>The keypad&apos;s factory defaults were restored.</source>
        <translation>Die Werkseinstellungen des Keypads wurden wiederhergestellt.</translation>
    </message>
    <message>
        <source>The configuration was uploaded to the keypad.</source>
        <translation>Die Konfiguration wurde auf das Keypad übertragen.</translation>
    </message>
    <message>
        <source>Cannot write file %1: %2</source>
        <translation>Die Datei %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Restoring the keypad&apos;s factory defaults...</source>
        <translation>Die Werkseinstellungen des Keypads werden wiederhergestellt...</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Ausblenden</translation>
    </message>
    <message>
        <source>%1[*] - %2</source>
        <comment>file name, program name</comment>
        <translation>%1[*] - %2</translation>
    </message>
    <message>
        <source>Configuration saved to %1.</source>
        <translation>Konfiguration gespeichert in %1.</translation>
    </message>
    <message>
        <source>the keypad cannot be reached</source>
        <translation>das Keypad ist nicht erreichbar</translation>
    </message>
    <message>
        <source>The keypad did not restore its factory defaults: %1</source>
        <translation>Das Keypad hat seine Werkseinstellungen nicht wiederhergestellt: %1</translation>
    </message>
    <message>
        <source>Unsaved Changes</source>
        <translation>Ungespeicherte Änderungen</translation>
    </message>
    <message>
        <source>The demo configuration has changes that are not saved in a file.

Save them to a file first?</source>
        <translation>Die Demo-Konfiguration hat Änderungen, die nicht in einer Datei gespeichert sind.

Zuerst in einer Datei speichern?</translation>
    </message>
    <message>
        <source>scene %1</source>
        <translation>Szene %1</translation>
    </message>
    <message>
        <source>the system configuration</source>
        <translation>die Systemkonfiguration</translation>
    </message>
    <message>
        <source>The keypad has not kept these changes: %1.

Save them on the keypad first?</source>
        <translation>Das Keypad hat diese Änderungen nicht übernommen: %1.

Zuerst auf dem Keypad speichern?</translation>
    </message>
    <message>
        <source> and </source>
        <translation> und </translation>
    </message>
    <message>
        <source>These changes did not reach the keypad, which cannot be reached now: %1.

Discard them?</source>
        <translation>Diese Änderungen haben das Keypad nicht erreicht, das jetzt nicht erreichbar ist: %1.

Verwerfen?</translation>
    </message>
    <message>
        <source>The system configuration cannot be saved as it is; the warning in its tab says why. Correct it or undo it first.</source>
        <translation>Die Systemkonfiguration kann so nicht gespeichert werden; die Warnung in ihrem Reiter nennt den Grund. Korrigieren oder rückgängig machen Sie sie zuerst.</translation>
    </message>
    <message>
        <source>Configuration Opened</source>
        <translation>Konfiguration geöffnet</translation>
    </message>
    <message>
        <source>%1 was opened with changes:</source>
        <translation>%1 wurde mit Änderungen geöffnet:</translation>
    </message>
    <message>
        <source>Keypads...</source>
        <translation>Keypads...</translation>
    </message>
    <message>
        <source>List every keypad found, also across subnets</source>
        <translation>Alle gefundenen Keypads auflisten, auch über Subnetze hinweg</translation>
    </message>
    <message>
        <source>Keypad Name</source>
        <translation>Keypad-Name</translation>
    </message>
    <message>
        <source>The file was saved from the keypad &quot;%1&quot;. Should this keypad, &quot;%2&quot;, take that name too?

Yes: the keypad is renamed &quot;%1&quot;. No: it keeps its name &quot;%2&quot; and takes the file&apos;s scenes and settings.</source>
        <translation>Die Datei wurde vom Keypad „%1“ gespeichert. Soll dieses Keypad, „%2“, auch diesen Namen erhalten?

Ja: Das Keypad heißt dann „%1“. Nein: Es behält seinen Namen „%2“ und übernimmt die Szenen und Einstellungen der Datei.</translation>
    </message>
    <message>
        <source>scenes %1</source>
        <translation>Szenen %1</translation>
    </message>
    <message>
        <source>The keypad did not confirm every part of %1. Not received: %2.</source>
        <translation>Das Keypad hat nicht jeden Teil von %1 bestätigt. Nicht empfangen: %2.</translation>
    </message>
    <message>
        <source>Upload Incomplete</source>
        <translation>Übertragung unvollständig</translation>
    </message>
    <message>
        <source>The keypad cannot be reached now. Open the file again once it answers.</source>
        <translation>Das Keypad ist jetzt nicht erreichbar. Öffnen Sie die Datei erneut, sobald es antwortet.</translation>
    </message>
    <message>
        <source>Upload the file again?</source>
        <translation>Die Datei erneut übertragen?</translation>
    </message>
    <message>
        <source>it answered with the same settings as before. A keypad that had its factory defaults already has nothing to restore.</source>
        <translation>es antwortete mit denselben Einstellungen wie zuvor. Ein Keypad, das schon seine Werkseinstellungen hatte, hat nichts wiederherzustellen.</translation>
    </message>
    <message>
        <source>The keypad at %1 was left before it confirmed restoring its factory defaults.</source>
        <translation>Das Keypad unter %1 wurde verlassen, bevor es die Wiederherstellung seiner Werkseinstellungen bestätigt hatte.</translation>
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
    <message>
        <source>The chosen interface (%1) is gone; the default interface is used until it is back.</source>
        <translation>Die gewählte Schnittstelle (%1) ist nicht mehr vorhanden; bis sie zurück ist, wird die Standardschnittstelle verwendet.</translation>
    </message>
</context>
<context>
    <name>OvrColorLibrary</name>
    <message>
        <source>Explicit Colors</source>
        <translation>Eigene Farben</translation>
    </message>
    <message>
        <source>Project Swatches</source>
        <translation>Projektfarbfelder</translation>
    </message>
    <message>
        <source>Swatches</source>
        <translation>Farbfelder</translation>
    </message>
    <message>
        <source>Color ID</source>
        <translation>Farb-ID</translation>
    </message>
    <message>
        <source>New Color List</source>
        <translation>Neue Farbliste</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerButtonsWidget</name>
    <message>
        <source>Show or hide the RGB page</source>
        <translation>RGB-Seite ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Display RGB Range</source>
        <translation>RGB-Bereich anzeigen</translation>
    </message>
    <message>
        <source>Show or hide the white page</source>
        <translation>Weiß-Seite ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Display White Range</source>
        <translation>Weißbereich anzeigen</translation>
    </message>
    <message>
        <source>Show or hide the channel page</source>
        <translation>Kanalseite ein- oder ausblenden</translation>
    </message>
    <message>
        <source>Display Channel Control</source>
        <translation>Kanalsteuerung anzeigen</translation>
    </message>
    <message>
        <source>Add the current color to one of your color groups</source>
        <translation>Die aktuelle Farbe einer Ihrer Farbgruppen hinzufügen</translation>
    </message>
    <message>
        <source>Add to User Group</source>
        <translation>Zur Benutzergruppe</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::BlackBodyCurveWidget</name>
    <message>
        <source>Black-body curve</source>
        <translation>Planck-Kurve</translation>
    </message>
    <message>
        <source>Chromaticity diagram around the black-body locus; click to choose a white</source>
        <translation>Farbtafel um die Planck-Kurve; klicken, um ein Weiß zu wählen</translation>
    </message>
    <message>
        <source>%1 K</source>
        <translation>%1 K</translation>
    </message>
    <message>
        <source>x: %1, y: %2</source>
        <translation>x: %1, y: %2</translation>
    </message>
    <message>
        <source>Outside White Range</source>
        <translation>Außerhalb des Weißbereichs</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::CCTPickerWidget</name>
    <message>
        <source>Colour temperature band</source>
        <translation>Farbtemperaturband</translation>
    </message>
    <message>
        <source>Click or drag to choose the colour temperature</source>
        <translation>Klicken oder ziehen, um die Farbtemperatur zu wählen</translation>
    </message>
    <message>
        <source>%1 K</source>
        <translation>%1 K</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::ColorAppearance</name>
    <message>
        <source>Sent: %1, %2, %3</source>
        <translation>Gesendet: %1, %2, %3</translation>
    </message>
    <message>
        <source>Sent: %1</source>
        <translation>Gesendet: %1</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::ColorTempSliderWidget</name>
    <message>
        <source>CCT</source>
        <translation>CCT</translation>
    </message>
    <message>
        <source> K</source>
        <translation> K</translation>
    </message>
    <message>
        <source>CCT in kelvin</source>
        <translation>CCT in Kelvin</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::ColorTintSliderWidget</name>
    <message>
        <source>Tint</source>
        <translation>Tönung</translation>
    </message>
    <message>
        <source>Tint in percent, positive towards green</source>
        <translation>Tönung in Prozent, positiv in Richtung Grün</translation>
    </message>
    <message>
        <source>Negative tints lean to magenta, positive tints to green</source>
        <translation>Negative Tönung geht ins Magenta, positive ins Grün</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::ColorTreeAndFilterWidget</name>
    <message>
        <source>Filter colors</source>
        <translation>Farben filtern</translation>
    </message>
    <message>
        <source>Filter colours by name</source>
        <translation>Farben nach Namen filtern</translation>
    </message>
    <message>
        <source>New Group</source>
        <translation>Neue Gruppe</translation>
    </message>
    <message>
        <source>Load Colors from File...</source>
        <translation>Farben aus Datei laden...</translation>
    </message>
    <message>
        <source>Export Colors...</source>
        <translation>Farben exportieren...</translation>
    </message>
    <message>
        <source>Load Colors from a File</source>
        <translation>Farben aus einer Datei laden</translation>
    </message>
    <message>
        <source>Ovr Color Files (*.ovrcolors);;All Files (*.* *)</source>
        <translation>Ovr-Farbdateien (*.ovrcolors);;Alle Dateien (*.* *)</translation>
    </message>
    <message>
        <source>Load Colors</source>
        <translation>Farben laden</translation>
    </message>
    <message>
        <source>The colours of &quot;%1&quot; were not loaded.

%2</source>
        <translation>Die Farben aus „%1“ wurden nicht geladen.

%2</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::ColorViewWidget</name>
    <message>
        <source>No color</source>
        <translation>Keine Farbe</translation>
    </message>
    <message>
        <source>Add to %1</source>
        <translation>Zu %1 hinzufügen</translation>
    </message>
    <message>
        <source>Copy to Main Color</source>
        <translation>Als Hauptfarbe übernehmen</translation>
    </message>
    <message>
        <source>Open in RGB Picker</source>
        <translation>In RGB-Auswahl öffnen</translation>
    </message>
    <message>
        <source>Open in White Picker</source>
        <translation>In Weiß-Auswahl öffnen</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::ColorZoomWidget</name>
    <message>
        <source>Spectrum zoom</source>
        <translation>Spektrumlupe</translation>
    </message>
    <message>
        <source>Magnified spectrum</source>
        <translation>Vergrößertes Spektrum</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::DmxSliderWidget</name>
    <message>
        <source>%1 level</source>
        <translation>Pegel %1</translation>
    </message>
    <message>
        <source>%1 DMX value</source>
        <translation>DMX-Wert %1</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::HsbSlidersWidget</name>
    <message>
        <source>Hue</source>
        <translation>Farbton</translation>
    </message>
    <message>
        <source>H:</source>
        <translation>H:</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Sättigung</translation>
    </message>
    <message>
        <source>S:</source>
        <translation>S:</translation>
    </message>
    <message>
        <source>Value/Brightness</source>
        <translation>Hellwert/Helligkeit</translation>
    </message>
    <message>
        <source>V:</source>
        <translation>V:</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::HsbSpectrumWidget</name>
    <message>
        <source>Hue and saturation spectrum</source>
        <translation>Spektrum aus Farbton und Sättigung</translation>
    </message>
    <message>
        <source>Hue and saturation</source>
        <translation>Farbton und Sättigung</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::HsbTintsAndShadesWidget</name>
    <message>
        <source>Tints and shades</source>
        <translation>Hell- und Dunkelstufen</translation>
    </message>
    <message>
        <source>Saturation and brightness</source>
        <translation>Sättigung und Helligkeit</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::IntensitySliderWidget</name>
    <message>
        <source>Intensity:</source>
        <translation>Intensität:</translation>
    </message>
    <message>
        <source>Intensity</source>
        <translation>Intensität</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::NChannelPickerWidget</name>
    <message>
        <source>Intensity</source>
        <translation>Intensität</translation>
    </message>
    <message>
        <source>Channel %1</source>
        <translation>Kanal %1</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::OpacitySliderWidget</name>
    <message>
        <source>Opacity:</source>
        <translation>Deckkraft:</translation>
    </message>
    <message>
        <source>Opacity</source>
        <translation>Deckkraft</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::OvrColorLibraryTreeView</name>
    <message>
        <source>Colour library</source>
        <translation>Farbbibliothek</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportieren...</translation>
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
    <message numerus="yes">
        <source>Delete the list &quot;%1&quot; with its %n colour(s)?</source>
        <translation>
            <numerusform>Die Liste „%1“ mit %n Farbe löschen?</numerusform>
            <numerusform>Die Liste „%1“ mit %n Farben löschen?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Delete %1 lists with their %n colour(s)?</source>
        <translation>
            <numerusform>%1 Listen mit insgesamt %n Farbe löschen?</numerusform>
            <numerusform>%1 Listen mit insgesamt %n Farben löschen?</numerusform>
        </translation>
    </message>
    <message>
        <source>Delete Colors</source>
        <translation>Farben löschen</translation>
    </message>
    <message>
        <source>Paste Colors</source>
        <translation>Farben einfügen</translation>
    </message>
    <message>
        <source>The clipboard holds too much text to be colours.</source>
        <translation>Die Zwischenablage enthält zu viel Text, um Farben zu sein.</translation>
    </message>
    <message>
        <source>The clipboard holds more than %1 colours.</source>
        <translation>Die Zwischenablage enthält mehr als %1 Farben.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a colour.</source>
        <translation>„%1“ ist keine Farbe.</translation>
    </message>
    <message>
        <source>The clipboard holds no colours.</source>
        <translation>Die Zwischenablage enthält keine Farben.</translation>
    </message>
    <message>
        <source>Colors</source>
        <translation>Farben</translation>
    </message>
    <message>
        <source>Export Colors to a File</source>
        <translation>Farben in eine Datei exportieren</translation>
    </message>
    <message>
        <source>Ovr Color Files (*.ovrcolors);;All Files (*.* *)</source>
        <translation>Ovr-Farbdateien (*.ovrcolors);;Alle Dateien (*.* *)</translation>
    </message>
    <message>
        <source>Export Colors</source>
        <translation>Farben exportieren</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; cannot be written: %2</source>
        <translation>Die Datei „%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be written completely: %2</source>
        <translation>Die Datei „%1“ konnte nicht vollständig geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::OvrColorPicker</name>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Orange</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Gelb</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>Cyan</source>
        <translation>Cyan</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>Violet</source>
        <translation>Violett</translation>
    </message>
    <message>
        <source>Magenta</source>
        <translation>Magenta</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Silver</source>
        <translation>Silber</translation>
    </message>
    <message>
        <source>Gray</source>
        <translation>Grau</translation>
    </message>
    <message>
        <source>Black</source>
        <translation>Schwarz</translation>
    </message>
    <message>
        <source>%1 K %2</source>
        <translation>%1 K %2</translation>
    </message>
    <message>
        <source>/ center of ANSI bin</source>
        <translation>/ Mitte des ANSI-Bins</translation>
    </message>
    <message>
        <source>Candle</source>
        <translation>Kerze</translation>
    </message>
    <message>
        <source>Incandescent</source>
        <translation>Glühlampe</translation>
    </message>
    <message>
        <source>Afternoon Daylight</source>
        <translation>Tageslicht Nachmittag</translation>
    </message>
    <message>
        <source>Noon Daylight</source>
        <translation>Tageslicht Mittag</translation>
    </message>
    <message>
        <source>North Sky Daylight</source>
        <translation>Tageslicht Nordhimmel</translation>
    </message>
    <message>
        <source>Overcast Sky</source>
        <translation>Bedeckter Himmel</translation>
    </message>
    <message>
        <source>Spring White</source>
        <translation>Frühlingsweiß</translation>
    </message>
    <message>
        <source>Summer White</source>
        <translation>Sommerweiß</translation>
    </message>
    <message>
        <source>Fall White</source>
        <translation>Herbstweiß</translation>
    </message>
    <message>
        <source>Winter White</source>
        <translation>Winterweiß</translation>
    </message>
    <message>
        <source>Rose White</source>
        <translation>Roséweiß</translation>
    </message>
    <message>
        <source>Violet White</source>
        <translation>Violettweiß</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::OvrColorPickerButtonsWidget</name>
    <message>
        <source>RGB</source>
        <translation>RGB</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Weiß</translation>
    </message>
    <message>
        <source>Channel</source>
        <translation>Kanal</translation>
    </message>
    <message>
        <source>Add to Group</source>
        <translation>Zur Gruppe</translation>
    </message>
    <message>
        <source>No user groups</source>
        <translation>Keine Benutzergruppen</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::OvrColorPickerWidget</name>
    <message>
        <source>Main color</source>
        <translation>Hauptfarbe</translation>
    </message>
    <message>
        <source>Comparison color %1</source>
        <translation>Vergleichsfarbe %1</translation>
    </message>
    <message>
        <source>Favorites</source>
        <translation>Favoriten</translation>
    </message>
    <message>
        <source>The levels the fixture&apos;s red, green and blue inputs receive for the main color</source>
        <translation>Die Werte, die die Eingänge Rot, Grün und Blau der Leuchte für die Hauptfarbe erhalten</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::ProfileSelector</name>
    <message>
        <source>Fixture profile:</source>
        <translation>Leuchtenprofil:</translation>
    </message>
    <message>
        <source>Fixture profile</source>
        <translation>Leuchtenprofil</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::RgbPickerWidget</name>
    <message>
        <source>Hexadecimal color</source>
        <translation>Hexadezimale Farbe</translation>
    </message>
    <message>
        <source>Type or paste a color as #rgb, #rrggbb or rrggbb</source>
        <translation>Farbe als #rgb, #rrggbb oder rrggbb eingeben oder einfügen</translation>
    </message>
    <message>
        <source>He&amp;x:</source>
        <translation>He&amp;x:</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::RgbSlidersWidget</name>
    <message>
        <source>Red</source>
        <translation>Rot</translation>
    </message>
    <message>
        <source>R:</source>
        <translation>R:</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Grün</translation>
    </message>
    <message>
        <source>G:</source>
        <translation>G:</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Blau</translation>
    </message>
    <message>
        <source>B:</source>
        <translation>B:</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::TintPickerWidget</name>
    <message>
        <source>Tint band</source>
        <translation>Tönungsband</translation>
    </message>
    <message>
        <source>Click or drag to choose the tint: magenta to the left, green to the right</source>
        <translation>Klicken oder ziehen, um die Tönung zu wählen: links Magenta, rechts Grün</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::WhitePickerWidget</name>
    <message>
        <source>White presets</source>
        <translation>Weißvorgaben</translation>
    </message>
    <message>
        <source>Named whites</source>
        <translation>Benannte Weißtöne</translation>
    </message>
    <message>
        <source>Presets:</source>
        <translation>Vorgaben:</translation>
    </message>
    <message>
        <source>Named Whites:</source>
        <translation>Benannte Weißtöne:</translation>
    </message>
</context>
<context>
    <name>OvrColorPickerLib::ZoomControlWidget</name>
    <message>
        <source>Zoom out (Ctrl+-)</source>
        <translation>Verkleinern (Strg+-)</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>Zoom in (Ctrl++)</source>
        <translation>Vergrößern (Strg++)</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom level</source>
        <translation>Zoomstufe</translation>
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
        <source>Offline Demo Mode - File &gt; Save Configuration File keeps your changes.</source>
        <translation>Offline-Demomodus – Datei &gt; Konfigurationsdatei speichern sichert Ihre Änderungen.</translation>
    </message>
    <message>
        <source>Moving the keypad to %1… %2 s left</source>
        <translation>Das Keypad zieht nach %1 um… noch %2 s</translation>
    </message>
    <message>
        <source>Connection to the keypad lost</source>
        <translation>Verbindung zum Keypad verloren</translation>
    </message>
    <message>
        <source>No keypad found</source>
        <translation>Kein Keypad gefunden</translation>
    </message>
    <message>
        <source>Restoring the keypad&apos;s factory defaults...</source>
        <translation>Die Werkseinstellungen des Keypads werden wiederhergestellt...</translation>
    </message>
    <message>
        <source>Moving the keypad to its new address...</source>
        <translation>Das Keypad zieht auf seine neue Adresse um...</translation>
    </message>
</context>
<context>
    <name>SysConfig</name>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Address:</source>
        <translation>IP-Adresse:</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>IP-Adresse</translation>
    </message>
    <message>
        <source>Universe:</source>
        <translation>Universum:</translation>
    </message>
    <message>
        <source>Universe</source>
        <translation>Universum</translation>
    </message>
    <message>
        <source>Dravon Mode:</source>
        <translation>Dravon-Modus:</translation>
    </message>
    <message>
        <source>Dravon Mode</source>
        <translation>Dravon-Modus</translation>
    </message>
    <message>
        <source>Lights per Port:</source>
        <translation>Leuchten pro Port:</translation>
    </message>
    <message>
        <source>Lights per Port</source>
        <translation>Leuchten pro Port</translation>
    </message>
    <message>
        <source>Number of Ports:</source>
        <translation>Anzahl Ports:</translation>
    </message>
    <message>
        <source>Number of Ports</source>
        <translation>Anzahl Ports</translation>
    </message>
    <message>
        <source>Fixture:</source>
        <translation>Leuchtentyp:</translation>
    </message>
    <message>
        <source>Fixture</source>
        <translation>Leuchtentyp</translation>
    </message>
    <message>
        <source>Firmware Version:</source>
        <translation>Firmware-Version:</translation>
    </message>
    <message>
        <source>Firmware Version</source>
        <translation>Firmware-Version</translation>
    </message>
    <message>
        <source>Enabled Buttons</source>
        <translation>Aktivierte Tasten</translation>
    </message>
    <message>
        <source>Scene 1</source>
        <translation>Szene 1</translation>
    </message>
    <message>
        <source>Scene 5</source>
        <translation>Szene 5</translation>
    </message>
    <message>
        <source>Scene 2</source>
        <translation>Szene 2</translation>
    </message>
    <message>
        <source>Scene 6</source>
        <translation>Szene 6</translation>
    </message>
    <message>
        <source>Scene 3</source>
        <translation>Szene 3</translation>
    </message>
    <message>
        <source>Scene 7</source>
        <translation>Szene 7</translation>
    </message>
    <message>
        <source>Scene 4</source>
        <translation>Szene 4</translation>
    </message>
    <message>
        <source>Scene 8</source>
        <translation>Szene 8</translation>
    </message>
    <message>
        <source>Down</source>
        <translation>Ab</translation>
    </message>
    <message>
        <source>Up</source>
        <translation>Auf</translation>
    </message>
    <message>
        <source>On/Off</source>
        <translation>Ein/Aus</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
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
    <name>SystemConfigurationWidget</name>
    <message>
        <source>Changing the device&apos;s IP address to this value may prevent its light &lt;br&gt;settings from being available through this application.</source>
        <translation>Wenn Sie die IP-Adresse des Geräts auf diesen Wert ändern, sind seine &lt;br&gt;Lichteinstellungen in dieser Anwendung eventuell nicht mehr verfügbar.</translation>
    </message>
    <message>
        <source>The device&apos;s name cannot be empty.</source>
        <translation>Der Gerätename darf nicht leer sein.</translation>
    </message>
    <message>
        <source>The device&apos;s name cannot contain an ampersand, a comma, a double quote or characters the keypad cannot store.</source>
        <translation>Der Gerätename darf kein Und-Zeichen, kein Komma, kein doppeltes Anführungszeichen und keine Zeichen enthalten, die das Keypad nicht speichern kann.</translation>
    </message>
    <message>
        <source>At least one scene button must be enabled.</source>
        <translation>Mindestens eine Szenentaste muss aktiviert sein.</translation>
    </message>
    <message>
        <source>The keypad&apos;s firmware version is not known, so its buttons cannot be enabled or disabled here.</source>
        <translation>Die Firmware-Version des Keypads ist unbekannt, daher können seine Tasten hier nicht aktiviert oder deaktiviert werden.</translation>
    </message>
    <message>
        <source>Firmware %1 cannot enable or disable the keypad&apos;s buttons: all of them stay enabled.</source>
        <translation>Firmware %1 kann die Tasten des Keypads nicht aktivieren oder deaktivieren: Alle bleiben aktiviert.</translation>
    </message>
    <message>
        <source>A name holds at most %1 characters; the rest was not taken.</source>
        <translation>Ein Name hat höchstens %1 Zeichen; der Rest wurde nicht übernommen.</translation>
    </message>
    <message>
        <source>A name cannot contain an ampersand (&amp;), a comma (,), a double quote (&quot;) or characters the keypad cannot store; that was not taken.</source>
        <translation>Ein Name darf kein kaufmännisches Und (&amp;), kein Komma (,), kein doppeltes Anführungszeichen (&quot;) und keine Zeichen enthalten, die das Keypad nicht speichern kann; das wurde nicht übernommen.</translation>
    </message>
    <message>
        <source>An address has at most %1 characters; the rest was not taken.</source>
        <translation>Eine Adresse hat höchstens %1 Zeichen; der Rest wurde nicht übernommen.</translation>
    </message>
    <message>
        <source>Not on the keypad: the keypad did not receive these settings. Save sends them again.</source>
        <translation>Nicht auf dem Keypad: Das Keypad hat diese Einstellungen nicht erhalten. Speichern sendet sie erneut.</translation>
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
    <message>
        <source>Check the proxy settings under Help &gt; Update....</source>
        <translation>Prüfen Sie die Proxy-Einstellungen unter Hilfe &gt; Aktualisierung....</translation>
    </message>
    <message>
        <source>The update server %1 was not found. Is this computer connected to the internet?</source>
        <translation>Der Aktualisierungsserver %1 wurde nicht gefunden. Ist dieser Computer mit dem Internet verbunden?</translation>
    </message>
    <message>
        <source>The update server did not answer within %1 seconds.</source>
        <translation>Der Aktualisierungsserver hat nicht innerhalb von %1 Sekunden geantwortet.</translation>
    </message>
    <message>
        <source>The proxy refused the connection or could not be reached.</source>
        <translation>Der Proxy hat die Verbindung abgelehnt oder war nicht erreichbar.</translation>
    </message>
    <message>
        <source>The proxy asks for a user name and password, or did not accept them.</source>
        <translation>Der Proxy verlangt einen Benutzernamen und ein Passwort oder hat sie nicht angenommen.</translation>
    </message>
    <message>
        <source>The update server answered with an error (HTTP status %1).</source>
        <translation>Der Aktualisierungsserver hat mit einem Fehler geantwortet (HTTP-Status %1).</translation>
    </message>
    <message>
        <source>The update server sent something that is not a list of versions.</source>
        <translation>Der Aktualisierungsserver hat etwas gesendet, das keine Versionsliste ist.</translation>
    </message>
    <message>
        <source>The update server could not be reached: %1</source>
        <translation>Der Aktualisierungsserver war nicht erreichbar: %1</translation>
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
    <message>
        <source>No secret store answers on this desktop: the password is kept only until the program ends.</source>
        <translation>Auf diesem Desktop antwortet kein Passwortspeicher: Das Passwort bleibt nur bis zum Programmende erhalten.</translation>
    </message>
    <message>
        <source>Last attempt failed (%1): %2</source>
        <translation>Letzter Versuch fehlgeschlagen (%1): %2</translation>
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
        <source>Choose a Lumetra Keypad</source>
        <translation>Lumetra Keypad auswählen</translation>
    </message>
</context>
</TS>
