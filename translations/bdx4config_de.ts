<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ConfigFile</name>
    <message>
        <source>the download command &quot;%1&quot;</source>
        <translation>der Übertragungsbefehl „%1“</translation>
    </message>
    <message>
        <source>the HF record</source>
        <translation>der KW-Datensatz</translation>
    </message>
    <message>
        <source>the VHF record</source>
        <translation>der UKW-Datensatz</translation>
    </message>
    <message>
        <source>the accessory record</source>
        <translation>der Zubehör-Datensatz</translation>
    </message>
    <message>
        <source>the end record &quot;%1&quot;</source>
        <translation>der Abschlussdatensatz „%1“</translation>
    </message>
    <message>
        <source>the AN%1 record</source>
        <translation>der AN%1-Datensatz</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>diese Datei gibt es nicht</translation>
    </message>
    <message>
        <source>the file cannot be read: %1</source>
        <translation>die Datei kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>the file is larger than 64 KiB, which no configuration file is</source>
        <translation>die Datei ist größer als 64 KiB, was keine Konfigurationsdatei ist</translation>
    </message>
    <message>
        <source>the file is empty</source>
        <translation>die Datei ist leer</translation>
    </message>
    <message>
        <source>a carriage return in column %1 that does not end the line; lines end in CR LF or LF</source>
        <translation>ein Wagenrücklauf in Spalte %1, der die Zeile nicht beendet; Zeilen enden mit CR LF oder LF</translation>
    </message>
    <message>
        <source>the line is empty; %1 belongs here</source>
        <translation>die Zeile ist leer; hierher gehört %1</translation>
    </message>
    <message>
        <source>the file ends where %1 belongs</source>
        <translation>die Datei endet, wo %1 hingehört</translation>
    </message>
    <message>
        <source>text after the end record, which ends the file</source>
        <translation>Text nach dem Abschlussdatensatz, der die Datei beendet</translation>
    </message>
    <message>
        <source>the line is not one text between double quotes, as line 1 is</source>
        <translation>die Zeile ist kein einzelner Text in doppelten Anführungszeichen wie Zeile 1</translation>
    </message>
    <message>
        <source>the line is between double quotes, but line 1 is not; either every line is quoted or none</source>
        <translation>die Zeile steht in doppelten Anführungszeichen, Zeile 1 aber nicht; entweder alle Zeilen oder keine</translation>
    </message>
    <message>
        <source>a file of quoted lines begins with %1</source>
        <translation>eine Datei aus Zeilen in Anführungszeichen beginnt mit %1</translation>
    </message>
    <message>
        <source>a record begins with &quot;:&quot;; %1 belongs here</source>
        <translation>ein Datensatz beginnt mit „:“; hierher gehört %1</translation>
    </message>
    <message>
        <source>a blank</source>
        <translation>ein Leerzeichen</translation>
    </message>
    <message>
        <source>the byte %1</source>
        <translation>das Byte %1</translation>
    </message>
    <message>
        <source>%1 in column %2 is no hexadecimal digit</source>
        <translation>%1 in Spalte %2 ist keine Hexadezimalziffer</translation>
    </message>
    <message>
        <source>the record has %1 hex digits after the &quot;:&quot;, but each byte takes two</source>
        <translation>der Datensatz hat %1 Hex-Ziffern nach dem „:“, aber jedes Byte braucht zwei</translation>
    </message>
    <message>
        <source>the record is too short for a count, an address, a type and a checksum</source>
        <translation>der Datensatz ist zu kurz für Anzahl, Adresse, Typ und Prüfsumme</translation>
    </message>
    <message>
        <source>the count says %1 data bytes, the record holds %2</source>
        <translation>die Anzahl nennt %1 Datenbytes, der Datensatz enthält %2</translation>
    </message>
    <message>
        <source>the checksum is %1, the record&apos;s bytes give %2</source>
        <translation>die Prüfsumme ist %1, die Bytes des Datensatzes ergeben %2</translation>
    </message>
    <message>
        <source>a record of type %1 where %2, of type %3, belongs</source>
        <translation>ein Datensatz vom Typ %1, wo %2 vom Typ %3 hingehört</translation>
    </message>
    <message>
        <source>a record for address %1 where %2, for address %3, belongs</source>
        <translation>ein Datensatz für Adresse %1, wo %2 für Adresse %3 hingehört</translation>
    </message>
    <message>
        <source>a record of %1 data bytes where %2, of %3 bytes, belongs</source>
        <translation>ein Datensatz mit %1 Datenbytes, wo %2 mit %3 Bytes hingehört</translation>
    </message>
    <message>
        <source>slot %1 of %2 is unused and must be 0000; it holds %3</source>
        <translation>Platz %1 von %2 ist unbenutzt und muss 0000 sein; er enthält %3</translation>
    </message>
    <message>
        <source>the accessory record is neither the box&apos;s default table nor sixteen zero bytes</source>
        <translation>der Zubehör-Datensatz ist weder die Standardtabelle des BDX4 noch sechzehn Null-Bytes</translation>
    </message>
    <message>
        <source>the %1 row switches AC1-AC3 (byte 0 is %2), but the accessory record on line %3 is the box&apos;s default table, which drives them</source>
        <translation>die Zeile %1 schaltet AC1-AC3 (Byte 0 ist %2), aber der Zubehör-Datensatz in Zeile %3 ist die Standardtabelle des BDX4, die sie steuert</translation>
    </message>
    <message>
        <source>byte %1 of %2 is %3, but the record&apos;s last six bytes are FF</source>
        <translation>Byte %1 von %2 ist %3, aber die letzten sechs Bytes des Datensatzes sind FF</translation>
    </message>
    <message>
        <source>entry %1 of %2 has the band code %3, which is no band&apos;s</source>
        <translation>Eintrag %1 von %2 hat den Bandcode %3, den kein Band hat</translation>
    </message>
    <message>
        <source>entry %1 of %2 gives %3 the level 0; a band without a voltage is an empty entry FFFF at the end</source>
        <translation>Eintrag %1 von %2 gibt %3 die Stufe 0; ein Band ohne Spannung ist ein leerer Eintrag FFFF am Ende</translation>
    </message>
    <message>
        <source>entry %1 of %2 gives %3 the level FF, which the box takes for an empty entry; the highest level is FE</source>
        <translation>Eintrag %1 von %2 gibt %3 die Stufe FF, die der BDX4 für einen leeren Eintrag hält; die höchste Stufe ist FE</translation>
    </message>
    <message>
        <source>entries %1 and %2 of %3 are both for %4</source>
        <translation>die Einträge %1 und %2 von %3 gelten beide für %4</translation>
    </message>
    <message>
        <source>entry %1 of %2 is empty (FFFF) but entry %3 after it is not; empty entries come last</source>
        <translation>Eintrag %1 von %2 ist leer (FFFF), der folgende Eintrag %3 aber nicht; leere Einträge kommen zuletzt</translation>
    </message>
    <message>
        <source>entry %1 of %2 (%3 at level %4) comes after entry %5 (%6 at level %7); the entries go by ascending level, equal levels from 430 MHz to 160 m</source>
        <translation>Eintrag %1 von %2 (%3 mit Stufe %4) folgt auf Eintrag %5 (%6 mit Stufe %7); die Einträge gehen nach aufsteigender Stufe, gleiche Stufen von 430 MHz bis 160 m</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>it is not a text file (it holds NUL bytes, as UTF-16 text does); save it as plain text</source>
        <translation>sie ist keine Textdatei (sie enthält NUL-Bytes, wie UTF-16-Text); speichern Sie sie als reinen Text</translation>
    </message>
</context>
<context>
    <name>ConfigImage</name>
    <message>
        <source>HF Band Data</source>
        <translation>KW-Banddaten</translation>
    </message>
    <message>
        <source>VHF Band Data</source>
        <translation>UKW-Banddaten</translation>
    </message>
    <message>
        <source>Accessory Data</source>
        <translation>Zubehördaten</translation>
    </message>
    <message>
        <source>AN1 Band Voltages</source>
        <translation>AN1-Bandspannungen</translation>
    </message>
    <message>
        <source>AN2 Band Voltages</source>
        <translation>AN2-Bandspannungen</translation>
    </message>
    <message>
        <source>AN3 Band Voltages</source>
        <translation>AN3-Bandspannungen</translation>
    </message>
    <message>
        <source>HF Data</source>
        <translation>KW</translation>
    </message>
    <message>
        <source>VHF Data</source>
        <translation>UKW</translation>
    </message>
    <message>
        <source>Acc Data</source>
        <translation>Zubehör</translation>
    </message>
    <message>
        <source>AN1 Data</source>
        <translation>AN1</translation>
    </message>
    <message>
        <source>AN2 Data</source>
        <translation>AN2</translation>
    </message>
    <message>
        <source>AN3 Data</source>
        <translation>AN3</translation>
    </message>
</context>
<context>
    <name>ConfigSheet</name>
    <message>
        <source>BDX4 band decoder configuration</source>
        <translation>Konfiguration des Banddecoders BDX4</translation>
    </message>
    <message>
        <source>Map: %1</source>
        <translation>Bandzuordnung: %1</translation>
    </message>
    <message>
        <source>AC1 - AC3: %1</source>
        <translation>AC1 - AC3: %1</translation>
    </message>
    <message>
        <source>Use AC1 - AC3 for Bandmap</source>
        <translation>AC1 - AC3 für die Bandzuordnung nutzen</translation>
    </message>
    <message>
        <source>Use AC1 - AC3 default table</source>
        <translation>AC1 - AC3 mit Standardtabelle nutzen</translation>
    </message>
    <message>
        <source>X: the band switches that output on.</source>
        <translation>X: das Band schaltet diesen Ausgang ein.</translation>
    </message>
    <message>
        <source>X: the band switches that output on. AC1 - AC3 follow the box&apos;s default table and are not part of the map.</source>
        <translation>X: das Band schaltet diesen Ausgang ein. AC1 - AC3 folgen der Standardtabelle des BDX4 und gehören nicht zur Bandzuordnung.</translation>
    </message>
    <message>
        <source>Band voltages in volts</source>
        <translation>Bandspannungen in Volt</translation>
    </message>
    <message>
        <source>AN%1 (0 - %2 V)</source>
        <translation>AN%1 (0 - %2 V)</translation>
    </message>
    <message>
        <source>0.00: the transceiver gives no voltage on that band.</source>
        <translation>0.00: der Transceiver gibt auf diesem Band keine Spannung aus.</translation>
    </message>
    <message>
        <source>bdx4config %1, printed %2</source>
        <translation>bdx4config %1, gedruckt am %2</translation>
    </message>
    <message>
        <source>BDX4 firmware %1</source>
        <translation>BDX4-Firmware %1</translation>
    </message>
    <message>
        <source>BDX4 configuration: %1</source>
        <translation>BDX4-Konfiguration: %1</translation>
    </message>
    <message>
        <source>the PDF could not be started</source>
        <translation>das PDF konnte nicht begonnen werden</translation>
    </message>
</context>
<context>
    <name>ExportFile</name>
    <message>
        <source>The file &quot;%1&quot; could not be written:<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
Nothing was saved; any earlier file of that name is unchanged.</source>
        <translation>Die Datei „%1“ konnte nicht geschrieben werden:<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
Es wurde nichts gespeichert; eine frühere Datei dieses Namens ist unverändert.</translation>
    </message>
</context>
<context>
    <name>KeptFile</name>
    <message>
        <source>another program changed it since it was read; it was kept as that program left it</source>
        <translation>ein anderes Programm hat sie geändert, seit sie gelesen wurde; sie bleibt, wie jenes Programm sie hinterließ</translation>
    </message>
    <message>
        <source>it could be read only in part, and the copy of it that was to be kept first as %1 could not be made: %2</source>
        <translation>sie war nur teilweise lesbar, und die Kopie, die zuvor als %1 angelegt werden sollte, ließ sich nicht anlegen: %2</translation>
    </message>
</context>
<context>
    <name>MapStore</name>
    <message>
        <source>the file is empty</source>
        <translation>die Datei ist leer</translation>
    </message>
    <message>
        <source>the store ends early, in MAP%1</source>
        <translation>die Datei endet zu früh, in MAP%1</translation>
    </message>
    <message>
        <source>the store ends before its ACn mode</source>
        <translation>die Datei endet vor dem ACn-Modus</translation>
    </message>
    <message>
        <source>%1 is not the ACn mode #TRUE# or #FALSE#</source>
        <translation>%1 ist kein ACn-Modus, weder #TRUE# noch #FALSE#</translation>
    </message>
    <message>
        <source>the label %1 stands where a cell value 0-255 belongs: a line above it is missing or one too many</source>
        <translation>die Überschrift %1 steht, wo ein Zellwert 0-255 hingehört: darüber fehlt eine Zeile oder steht eine zu viel</translation>
    </message>
    <message>
        <source>the ACn mode %1 stands where a cell value 0-255 belongs: lines above it are missing</source>
        <translation>der ACn-Modus %1 steht, wo ein Zellwert 0-255 hingehört: darüber fehlen Zeilen</translation>
    </message>
    <message>
        <source>%1 is not a cell value 0-255</source>
        <translation>%1 ist kein Zellwert 0-255</translation>
    </message>
</context>
<context>
    <name>OutputNamesFile</name>
    <message>
        <source>it is not UTF-8 text</source>
        <translation>es ist kein UTF-8-Text</translation>
    </message>
    <message>
        <source>&quot;%1&quot; names no output (160 ... 10, XV1 ... XV3, AC1 ... AC3)</source>
        <translation>„%1“ bezeichnet keinen Ausgang (160 ... 10, XV1 ... XV3, AC1 ... AC3)</translation>
    </message>
    <message>
        <source>the name is longer than %1 characters</source>
        <translation>der Name ist länger als %1 Zeichen</translation>
    </message>
    <message>
        <source>it is larger than any names file</source>
        <translation>sie ist größer als jede Namensdatei</translation>
    </message>
    <message>
        <source>the name holds a control character</source>
        <translation>der Name enthält ein Steuerzeichen</translation>
    </message>
</context>
<context>
    <name>RegularFile</name>
    <message>
        <source>it is a folder</source>
        <translation>es ist ein Ordner</translation>
    </message>
    <message>
        <source>it is a FIFO (named pipe), not a file</source>
        <translation>es ist eine FIFO (benannte Pipe), keine Datei</translation>
    </message>
    <message>
        <source>it is a device, not a file</source>
        <translation>es ist ein Gerät, keine Datei</translation>
    </message>
    <message>
        <source>it is a socket, not a file</source>
        <translation>es ist ein Socket, keine Datei</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>es ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>there is no such file</source>
        <translation>diese Datei gibt es nicht</translation>
    </message>
</context>
<context>
    <name>ResultTexts</name>
    <message>
        <source>The serial line on %1 was lost (%2).</source>
        <translation>Die serielle Verbindung über %1 ist abgebrochen (%2).</translation>
    </message>
    <message>
        <source>No BDX4 found.  Please check this program&apos;s COM settings.<byte value="xd"/>
<byte value="xd"/>
Use the COMM pull-down menu to select the correct Port and BAUD rate<byte value="xd"/>
that has been set via the jumpers in your BDX4 (see manual).<byte value="xd"/>
<byte value="xd"/>
Also be sure the OP/DL switch on your BDX4 is set to DL (toward Power jack).</source>
        <translation>Kein BDX4 gefunden.  Bitte prüfen Sie die Schnittstelleneinstellungen dieses Programms.<byte value="xd"/>
<byte value="xd"/>
Wählen Sie im Menü „Schnittstelle“ die Schnittstelle und die Baudrate,<byte value="xd"/>
die mit den Jumpern in Ihrem BDX4 eingestellt sind (siehe Anleitung).<byte value="xd"/>
<byte value="xd"/>
Der Schalter OP/DL am BDX4 muss außerdem auf DL stehen (zur Stromversorgungsbuchse hin).</translation>
    </message>
    <message>
        <source>Error connecting to a BDX4</source>
        <translation>Fehler beim Verbinden mit dem BDX4</translation>
    </message>
    <message>
        <source>BDX4: %1</source>
        <translation>BDX4: %1</translation>
    </message>
    <message>
        <source>Download failed in section %1</source>
        <translation>Übertragung im Abschnitt %1 fehlgeschlagen</translation>
    </message>
    <message>
        <source>The serial port %1 is not open, so nothing was sent to the BDX4.<byte value="xd"/>
<byte value="xd"/>
Choose the port and speed in the COMM menu, then use &quot;Test for BDX4&quot; in the Main menu to open it.</source>
        <translation>Die serielle Schnittstelle %1 ist nicht geöffnet, daher wurde nichts an den BDX4 gesendet.<byte value="xd"/>
<byte value="xd"/>
Wählen Sie Schnittstelle und Baudrate im Menü „Schnittstelle“ und öffnen Sie sie dann mit „BDX4 suchen“ im Menü „Programm“.</translation>
    </message>
    <message>
        <source>Nothing could be sent to the BDX4 on %1:<byte value="xd"/>
%2</source>
        <translation>Über %1 konnte nichts an den BDX4 gesendet werden:<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>Download cancelled in section %1</source>
        <translation>Übertragung im Abschnitt %1 abgebrochen</translation>
    </message>
    <message>
        <source>No BDX4 found on %1.<byte value="xd"/>
<byte value="xd"/>
Give the port the BDX4 is on with --port, and with --baud the BAUD rate<byte value="xd"/>
that has been set via the jumpers in your BDX4 (see manual).<byte value="xd"/>
<byte value="xd"/>
Also be sure the OP/DL switch on your BDX4 is set to DL (toward Power jack).</source>
        <translation>Kein BDX4 an %1 gefunden.<byte value="xd"/>
<byte value="xd"/>
Geben Sie mit --port die Schnittstelle des BDX4 an und mit --baud die Baudrate,<byte value="xd"/>
die mit den Jumpern in Ihrem BDX4 eingestellt ist (siehe Anleitung).<byte value="xd"/>
<byte value="xd"/>
Der Schalter OP/DL am BDX4 muss außerdem auf DL stehen (zur Stromversorgungsbuchse hin).</translation>
    </message>
    <message>
        <source>Please check:<byte value="xd"/>
- the OP/DL switch on your BDX4 is set to DL (toward Power jack);<byte value="xd"/>
- the BAUD rate in the COMM menu is the one set via the jumpers in your BDX4;<byte value="xd"/>
- the serial cable and the USB serial adapter are firmly connected.</source>
        <translation>Bitte prüfen Sie:<byte value="xd"/>
- Der Schalter OP/DL am BDX4 steht auf DL (zur Stromversorgungsbuchse hin).<byte value="xd"/>
- Die Baudrate im Menü „Schnittstelle“ ist die mit den Jumpern im BDX4 eingestellte.<byte value="xd"/>
- Das serielle Kabel und der USB-Seriell-Adapter sind fest verbunden.</translation>
    </message>
    <message>
        <source>Please check:<byte value="xd"/>
- the OP/DL switch on your BDX4 is set to DL (toward Power jack);<byte value="xd"/>
- --baud gives the BAUD rate set via the jumpers in your BDX4;<byte value="xd"/>
- the serial cable and the USB serial adapter are firmly connected.</source>
        <translation>Bitte prüfen Sie:<byte value="xd"/>
- Der Schalter OP/DL am BDX4 steht auf DL (zur Stromversorgungsbuchse hin).<byte value="xd"/>
- --baud gibt die mit den Jumpern im BDX4 eingestellte Baudrate an.<byte value="xd"/>
- Das serielle Kabel und der USB-Seriell-Adapter sind fest verbunden.</translation>
    </message>
</context>
<context>
    <name>SerialDiagnosis</name>
    <message>
        <source>There is no serial port %1: choose one of COM1 to COM16 in the COMM menu.</source>
        <translation>Es gibt keine serielle Schnittstelle %1: Wählen Sie im Menü „Schnittstelle“ eine von COM1 bis COM16.</translation>
    </message>
    <message>
        <source>There is no serial port %1: give --port a number from 1 to 16 or a device path.</source>
        <translation>Es gibt keine serielle Schnittstelle %1: Geben Sie bei --port eine Nummer von 1 bis 16 oder einen Gerätepfad an.</translation>
    </message>
    <message>
        <source>The speed &quot;%1&quot; is not one the serial port accepts; choose 4800, 9600, 19200 or 38400 BAUD in the COMM menu.</source>
        <translation>Die Baudrate „%1“ nimmt die serielle Schnittstelle nicht an; wählen Sie im Menü „Schnittstelle“ 4800, 9600, 19200 oder 38400 Baud.</translation>
    </message>
    <message>
        <source>The speed &quot;%1&quot; is not one the serial port accepts; give --baud 4800, 9600, 19200 or 38400.</source>
        <translation>Die Baudrate „%1“ nimmt die serielle Schnittstelle nicht an; geben Sie --baud 4800, 9600, 19200 oder 38400 an.</translation>
    </message>
    <message>
        <source>The serial device %1 does not exist (is the adapter plugged in?).  </source>
        <translation>Das serielle Gerät %1 gibt es nicht (ist der Adapter eingesteckt?).  </translation>
    </message>
    <message>
        <source>No serial ports were found on this computer.</source>
        <translation>Auf diesem Computer wurde keine serielle Schnittstelle gefunden.</translation>
    </message>
    <message>
        <source>Serial ports on this computer: %1.  Choose one in the COMM menu.</source>
        <translation>Serielle Schnittstellen auf diesem Computer: %1.  Wählen Sie eine im Menü „Schnittstelle“.</translation>
    </message>
    <message>
        <source>Serial ports on this computer: %1.  Give one with --port.</source>
        <translation>Serielle Schnittstellen auf diesem Computer: %1.  Geben Sie eine mit --port an.</translation>
    </message>
    <message>
        <source>You may not read and write %1.  </source>
        <translation>Sie dürfen %1 nicht lesen und beschreiben.  </translation>
    </message>
    <message>
        <source>Ask the administrator for access to it.</source>
        <translation>Bitten Sie den Administrator um Zugriff darauf.</translation>
    </message>
    <message>
        <source>It belongs to the group &quot;%1&quot;, whose members may use it: add yourself to that group (for example: sudo adduser $USER %1), then log out and in again.</source>
        <translation>Es gehört der Gruppe „%1“, deren Mitglieder es benutzen dürfen: Treten Sie dieser Gruppe bei (zum Beispiel: sudo adduser $USER %1), melden Sie sich dann ab und wieder an.</translation>
    </message>
    <message>
        <source>%1 is in use by another program.  Close that program, or let it release the port, and try again.</source>
        <translation>%1 wird von einem anderen Programm benutzt.  Schließen Sie dieses Programm oder lassen Sie es die Schnittstelle freigeben, und versuchen Sie es erneut.</translation>
    </message>
</context>
<context>
    <name>SerialPorts</name>
    <message>
        <source>pid %1</source>
        <translation>PID %1</translation>
    </message>
    <message>
        <source>%1 (pid %2)</source>
        <translation>%1 (PID %2)</translation>
    </message>
</context>
<context>
    <name>StoreFile</name>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>the store goes on past 1 MiB, which no store does; reading stopped here</source>
        <translation>die Datei ist länger als 1 MiB, was keine Speicherdatei ist; das Lesen endete hier</translation>
    </message>
    <message>
        <source>%1; it was left as it is.</source>
        <translation>%1; es blieb unverändert.</translation>
    </message>
    <message>
        <source>The file is read-only; it was left as it is.</source>
        <translation>Die Datei ist schreibgeschützt; sie blieb unverändert.</translation>
    </message>
</context>
<context>
    <name>VoltageStore</name>
    <message>
        <source>%1 is not a level 0-255</source>
        <translation>%1 ist keine Stufe 0-255</translation>
    </message>
    <message>
        <source>the file holds no value</source>
        <translation>die Datei enthält keinen Wert</translation>
    </message>
    <message>
        <source>the store ends after %1 of its 39 values</source>
        <translation>die Datei endet nach %1 ihrer 39 Werte</translation>
    </message>
</context>
<context>
    <name>WriteHistory</name>
    <message>
        <source>the folder cannot be made</source>
        <translation>der Ordner kann nicht angelegt werden</translation>
    </message>
</context>
<context>
    <name>bdx4::BandMapGrid</name>
    <message>
        <source>%1 to %2</source>
        <translation>%1 an Ausgang %2</translation>
    </message>
    <message>
        <source>differs from the compared configuration</source>
        <translation>weicht von der verglichenen Konfiguration ab</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>bdx4::BoxController</name>
    <message>
        <source>Closing</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>End record</source>
        <translation>Abschlussdatensatz</translation>
    </message>
    <message>
        <source>Error Opening COM%1</source>
        <translation>Fehler beim Öffnen von COM%1</translation>
    </message>
    <message>
        <source>Reopened COM%1</source>
        <translation>Zurück zu COM%1</translation>
    </message>
    <message>
        <source>COM%1 didn&apos;t work.</source>
        <translation>COM%1 hat nicht funktioniert.</translation>
    </message>
    <message>
        <source>Error COM Ports</source>
        <translation>Schnittstellenfehler</translation>
    </message>
    <message>
        <source>Try selecting another COMM port.</source>
        <translation>Wählen Sie eine andere Schnittstelle.</translation>
    </message>
    <message>
        <source>BDX4 Connected</source>
        <translation>BDX4 verbunden</translation>
    </message>
    <message>
        <source>BDX4 Firmware = %1</source>
        <translation>BDX4-Firmware = %1</translation>
    </message>
    <message>
        <source>The configuration was written to the BDX4, but the history of what was written cannot be kept in %1:<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
This is said once; the downloads go on.</source>
        <translation>Die Konfiguration wurde in die BDX4 geschrieben, aber der Verlauf des Geschriebenen kann nicht in %1 gespeichert werden:<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
Dies wird nur einmal gesagt; die Übertragungen gehen weiter.</translation>
    </message>
</context>
<context>
    <name>bdx4::CommMenu</name>
    <message>
        <source>&amp;COMM</source>
        <translation>&amp;Schnittstelle</translation>
    </message>
    <message>
        <source>  4800 &amp;BAUD</source>
        <translation>  4800 &amp;Baud</translation>
    </message>
    <message>
        <source>  9600 B&amp;AUD</source>
        <translation>  9600 B&amp;aud</translation>
    </message>
    <message>
        <source>19200 BA&amp;UD</source>
        <translation>19200 Ba&amp;ud</translation>
    </message>
    <message>
        <source>38400 BAU&amp;D</source>
        <translation>38400 Bau&amp;d</translation>
    </message>
    <message>
        <source>Choose Ada&amp;pter...</source>
        <translation>Adapter &amp;wählen...</translation>
    </message>
</context>
<context>
    <name>bdx4::ConfigDocument</name>
    <message>
        <source>%1 to %2</source>
        <translation>%1 an Ausgang %2</translation>
    </message>
    <message>
        <source>Tick %1</source>
        <translation>%1 ankreuzen</translation>
    </message>
    <message>
        <source>Untick %1</source>
        <translation>Kreuz bei %1 entfernen</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Display MAP%1</source>
        <translation>MAP%1 anzeigen</translation>
    </message>
    <message>
        <source>Use AC1 - AC3 for Bandmap</source>
        <translation>AC1 - AC3 für die Bandzuordnung nutzen</translation>
    </message>
    <message>
        <source>Use AC1 - AC3 default table</source>
        <translation>AC1 - AC3 mit Standardtabelle nutzen</translation>
    </message>
    <message>
        <source>Save as MAP%1</source>
        <translation>MAP%1 speichern</translation>
    </message>
    <message>
        <source>Open %1</source>
        <translation>%1 öffnen</translation>
    </message>
    <message>
        <source>Save AN%1 voltage table</source>
        <translation>Bandspannungstabelle AN%1 speichern</translation>
    </message>
    <message>
        <source>Name the outputs</source>
        <translation>Ausgänge benennen</translation>
    </message>
</context>
<context>
    <name>bdx4::FileCommands</name>
    <message>
        <source>%1 cannot be opened as a configuration:<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
Nothing was changed.</source>
        <translation>%1 kann nicht als Konfiguration geöffnet werden:<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>Open Configuration File</source>
        <translation>Konfigurationsdatei öffnen</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Textdateien (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Replace the three band-voltage tables with the file&apos;s? They are saved in bdx4_bv.ini.</source>
        <translation>Die drei Bandspannungstabellen durch die aus der Datei ersetzen? Sie werden in bdx4_bv.ini gespeichert.</translation>
    </message>
    <message>
        <source>The band-voltage tables could not be saved to %1.<byte value="xd"/>
<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
The tables stay as they were.</source>
        <translation>Die Bandspannungstabellen konnten nicht in %1 gespeichert werden.<byte value="xd"/>
<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
Die Tabellen bleiben, wie sie waren.</translation>
    </message>
    <message>
        <source>Write Bandmap to File</source>
        <translation>Bandzuordnung in Datei schreiben</translation>
    </message>
    <message>
        <source>Written to %1</source>
        <translation>Geschrieben in %1</translation>
    </message>
    <message>
        <source>MAP%1, not saved</source>
        <translation>MAP%1, nicht gespeichert</translation>
    </message>
    <message>
        <source>MAP%1</source>
        <translation>MAP%1</translation>
    </message>
    <message>
        <source>BDX4 configuration MAP%1</source>
        <translation>BDX4-Konfiguration MAP%1</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Printing is not available: %1</source>
        <translation>Drucken ist nicht möglich: %1</translation>
    </message>
    <message>
        <source>The printer could not be started.</source>
        <translation>Der Drucker konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Compare</source>
        <translation>Vergleichen</translation>
    </message>
    <message>
        <source>%1 uses AC1 - AC3 for the band map; the grid uses the default table.</source>
        <translation>%1 nutzt AC1 - AC3 für die Bandbelegung; das Raster nutzt die Standardtabelle.</translation>
    </message>
    <message>
        <source>%1 uses the AC1 - AC3 default table; the grid uses them for the band map.</source>
        <translation>%1 nutzt die Standardtabelle für AC1 - AC3; das Raster nutzt sie für die Bandbelegung.</translation>
    </message>
    <message>
        <source>AN%1 %2: %3 V here, %4 V there</source>
        <translation>AN%1 %2: hier %3 V, dort %4 V</translation>
    </message>
    <message>
        <source>Nothing differs.</source>
        <translation>Nichts weicht ab.</translation>
    </message>
    <message>
        <source>1 box differs; it is marked on the grid until the next change.</source>
        <translation>1 Kästchen weicht ab; es ist bis zur nächsten Änderung im Raster markiert.</translation>
    </message>
    <message>
        <source>%1 boxes differ; they are marked on the grid until the next change.</source>
        <translation>%1 Kästchen weichen ab; sie sind bis zur nächsten Änderung im Raster markiert.</translation>
    </message>
</context>
<context>
    <name>bdx4::HelpWindow</name>
    <message>
        <source>BDX4 Config Help</source>
        <translation>BDX4 Config – Hilfe</translation>
    </message>
    <message>
        <source>The ACC pins may be used for accessory control from the Z7 or Z9&apos;s ACC menu or as band outputs. Use the pull-down menu &quot;Use ACn&quot; to set the correct mode for your use.</source>
        <translation>Die ACC-Anschlüsse dienen entweder der Zubehörsteuerung über das ACC-Menü des Z7 oder Z9 oder als Bandausgänge. Die passende Betriebsart stellen Sie im Menü „ACn nutzen“ ein.</translation>
    </message>
    <message>
        <source>The W5 jumper inside the BDX4 selects the bandmap used for transverters. When out (default) the HF-XVTR bandmap is used, allowing only XVTR1-XVTR3 selections. With W5 installed, the XVTR bandmap is used, allowing all XVTR inputs from the radio to make selections.</source>
        <translation>Der Jumper W5 im BDX4 wählt die Bandzuordnung für Transverter. Ohne W5 (AUS, ab Werk) gilt die KW-XVTR-Zuordnung, in der nur XVTR1 bis XVTR3 schalten. Mit gestecktem W5 (EIN) gilt die XVTR-Zuordnung, in der alle XVTR-Eingänge vom Transceiver schalten.</translation>
    </message>
    <message>
        <source>Click on a checkbox to match the band on the left side to an output across the top row.</source>
        <translation>Ein Klick auf ein Kästchen ordnet das Band links dem Ausgang in der obersten Zeile zu.</translation>
    </message>
    <message>
        <source>Forms to set Band Analog Voltage tables (AN1, AN2, and AN3) are available from the top row of pull-down menus.</source>
        <translation>Die Bandspannungstabellen (AN1, AN2 und AN3) öffnen Sie über die Menüleiste oben.</translation>
    </message>
    <message>
        <source>Please consult the BDX4 Operating Instructions for further information on  how the jumpers in the BDX4 affect the ways you can use the Band Maps.</source>
        <translation>Wie die Jumper im BDX4 die Nutzung der Bandzuordnungen beeinflussen, steht in der Bedienungsanleitung des BDX4.</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>When your maps are complete, save them using the &quot;Save As&quot; buttons on the bottom row, then click on the &quot;Write To BDX4&quot; button on the right.</source>
        <translation>Sind Ihre Bandzuordnungen fertig, speichern Sie sie mit „MAPn speichern“ in der unteren Reihe und klicken dann rechts auf „An BDX4 senden“.</translation>
    </message>
    <message>
        <source>Undo, questions, files, keys</source>
        <translation>Rückgängig, Rückfragen, Dateien, Tasten</translation>
    </message>
    <message>
        <source>Undo and redo: Edit &gt; Undo (Ctrl+Z) takes back a change of the grid, of the ACn mode, a &quot;Save as MAPn&quot; (the maps&apos; file is put back as it was) or an opened configuration file; Edit &gt; Redo (Ctrl+Shift+Z or Ctrl+Y) does it again. In a voltage window Ctrl+Z takes back a slider move, a typed voltage or Defaults.</source>
        <translation>Rückgängig und Wiederholen: Bearbeiten &gt; Rückgängig (Strg+Z) nimmt eine Änderung der Bandzuordnung, des ACn-Modus, ein „MAPn speichern“ (die Speicherdatei der Bandzuordnungen wird wieder wie vorher geschrieben) oder eine geöffnete Konfigurationsdatei zurück; Bearbeiten &gt; Wiederholen (Strg+Umschalt+Z oder Strg+Y) führt sie erneut aus. In einem Spannungsfenster nimmt Strg+Z eine Reglerbewegung, eine eingetippte Spannung oder „Standard“ zurück.</translation>
    </message>
    <message>
        <source>Nothing is lost without a question: while a map is not saved, Clear, Defaults, &quot;Display MAPn&quot;, Open and Quit ask first. Yes keeps the changes, No drops them, and Cancel (or Escape) leaves everything as it was.</source>
        <translation>Nichts geht ohne Rückfrage verloren: Solange eine Bandzuordnung nicht gespeichert ist, fragen „Löschen“, „Standard“, „MAPn anzeigen“, „Öffnen“ und „Beenden“ zuerst nach. „Ja“ behält die Änderungen, „Nein“ verwirft sie, und „Abbrechen“ (oder Esc) lässt alles, wie es war.</translation>
    </message>
    <message>
        <source>Main &gt; Open Configuration File (Ctrl+O) reads a file that &quot;Write Bandmap to File&quot; wrote: its map comes onto the grid, and its voltage tables replace yours only when you say Yes. A damaged file is refused and changes nothing.</source>
        <translation>Programm &gt; Konfigurationsdatei öffnen (Strg+O) liest eine Datei, die „Bandzuordnung in Datei schreiben“ geschrieben hat: Ihre Bandzuordnung kommt in das Raster, und ihre Bandspannungstabellen ersetzen Ihre nur, wenn Sie „Ja“ sagen. Eine beschädigte Datei wird abgelehnt und ändert nichts.</translation>
    </message>
    <message>
        <source>Main &gt; Print (Ctrl+P) prints the shown map, the ACn mode and the three voltage tables on one page; &quot;Print to file&quot; gives a PDF.</source>
        <translation>Programm &gt; Drucken (Strg+P) druckt die angezeigte Bandzuordnung, den ACn-Modus und die drei Bandspannungstabellen auf eine Seite; „In Datei drucken“ ergibt ein PDF.</translation>
    </message>
    <message>
        <source>The status bar at the bottom shows the port, its device and speed, and what is known of it: not open, open, the BDX4&apos;s firmware, or lost. During a download it shows which of the seven records is being sent.</source>
        <translation>Die Statusleiste unten zeigt die Schnittstelle, ihr Gerät und ihre Baudrate und was über sie bekannt ist: nicht geöffnet, geöffnet, die Firmware der BDX4 oder getrennt. Während einer Übertragung zeigt sie, welcher der sieben Datensätze gerade gesendet wird.</translation>
    </message>
    <message>
        <source>Keys: Tab moves between the grid and the buttons; in the grid the arrow keys, Home and End move, and Space ticks a box. Ctrl+S saves the map shown, F1 opens this help, Escape stops a download or a search for the BDX4. Every menu opens with Alt and its underlined letter.</source>
        <translation>Tasten: Tab wechselt zwischen dem Raster und den Schaltflächen; im Raster bewegen die Pfeiltasten, Pos1 und Ende, und die Leertaste setzt ein Kreuz. Strg+S speichert die angezeigte Bandzuordnung, F1 öffnet diese Hilfe, Esc bricht eine Übertragung oder die Suche nach der BDX4 ab. Jedes Menü öffnet sich mit Alt und seinem unterstrichenen Buchstaben.</translation>
    </message>
    <message>
        <source>Voltage windows: Tab reaches each slider after the Save button; Up, Page Up and Home raise the voltage, Down, Page Down and End lower it, Left and Right step between bands. Ctrl+S saves the table.</source>
        <translation>Spannungsfenster: Tab erreicht jeden Regler nach der Schaltfläche „Speichern“; Pfeil nach oben, Bild auf und Pos1 erhöhen die Spannung, Pfeil nach unten, Bild ab und Ende senken sie, Pfeil links und rechts wechseln zwischen den Bändern. Strg+S speichert die Tabelle.</translation>
    </message>
</context>
<context>
    <name>bdx4::HistoryWindow</name>
    <message>
        <source>Written to the BDX4</source>
        <translation>In die BDX4 geschrieben</translation>
    </message>
    <message>
        <source>Nothing has been written to the BDX4 from these maps yet.</source>
        <translation>Aus diesen Belegungen wurde noch nichts in die BDX4 geschrieben.</translation>
    </message>
    <message>
        <source>The newest is what the BDX4 holds, as far as this program knows.</source>
        <translation>Der neueste Eintrag ist, soweit dieses Programm weiß, was die BDX4 enthält.</translation>
    </message>
    <message>
        <source>Written</source>
        <translation>Geschrieben</translation>
    </message>
    <message>
        <source>Map</source>
        <translation>Belegung</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Firmware</source>
        <translation>Firmware</translation>
    </message>
    <message>
        <source>Configurations written to the BDX4</source>
        <translation>In die BDX4 geschriebene Konfigurationen</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>Ö&amp;ffnen</translation>
    </message>
    <message>
        <source>Co&amp;mpare</source>
        <translation>&amp;Vergleichen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
</context>
<context>
    <name>bdx4::LevelSlider</name>
    <message>
        <source>%1 volts</source>
        <translation>%1 Volt</translation>
    </message>
</context>
<context>
    <name>bdx4::MainCanvas</name>
    <message>
        <source>MAP%1 Displayed</source>
        <translation>MAP%1 angezeigt</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Stop the download; the box is told that it is over</source>
        <translation>Übertragung abbrechen; der BDX4 erfährt, dass sie beendet ist</translation>
    </message>
    <message>
        <source>BDX4 Control Outputs</source>
        <translation>BDX4-Steuerausgänge</translation>
    </message>
    <message>
        <source>Transceiver</source>
        <translation>Transceiver</translation>
    </message>
    <message>
        <source>Band</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Clear all the checkboxes above</source>
        <translation>Alle Häkchen oben entfernen</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Set the checkboxes above to the standard default arrangement</source>
        <translation>Die Kästchen oben auf die Standardbelegung setzen</translation>
    </message>
    <message>
        <source>Display MAP%1</source>
        <translation>MAP%1 anzeigen</translation>
    </message>
    <message>
        <source>Save as MAP%1</source>
        <translation>MAP%1 speichern</translation>
    </message>
    <message>
        <source>Write To BDX4</source>
        <translation>An BDX4 senden</translation>
    </message>
    <message>
        <source>Write the checkbox arrangement above to the BDX4</source>
        <translation>Die Belegung der Kästchen oben an den BDX4 senden</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Exit this program</source>
        <translation>Dieses Programm beenden</translation>
    </message>
    <message>
        <source>Last Send Passed!</source>
        <translation>Senden erfolgreich!</translation>
    </message>
    <message>
        <source>Last Send Failed!</source>
        <translation>Senden fehlerhaft!</translation>
    </message>
</context>
<context>
    <name>bdx4::MainMenus</name>
    <message>
        <source>Analog&amp;%1</source>
        <translation>Analog&amp;%1</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Using</source>
        <translation>&amp;Bedienung</translation>
    </message>
    <message>
        <source>&amp;About</source>
        <translation>&amp;Über</translation>
    </message>
    <message>
        <source>&amp;Main</source>
        <translation>&amp;Programm</translation>
    </message>
    <message>
        <source>&amp;Test for BDX4</source>
        <translation>BDX4 s&amp;uchen</translation>
    </message>
    <message>
        <source>&amp;Open Configuration File...</source>
        <translation>Konfigurationsdatei &amp;öffnen ...</translation>
    </message>
    <message>
        <source>&amp;Write Bandmap to File</source>
        <translation>Bandzuordnung in &amp;Datei schreiben</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>D&amp;rucken ...</translation>
    </message>
    <message>
        <source>Written to the &amp;BDX4...</source>
        <translation>In die &amp;BDX4 geschrieben...</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Save as MAP%1</source>
        <translation>Als MAP%1 &amp;speichern</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Output &amp;Names...</source>
        <translation>&amp;Namen der Ausgänge...</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederholen: %1</translation>
    </message>
    <message>
        <source>&amp;Use ACn</source>
        <translation>ACn &amp;nutzen</translation>
    </message>
    <message>
        <source>Use AC1 - AC3 for &amp;Bandmap</source>
        <translation>AC1 - AC3 für die &amp;Bandzuordnung nutzen</translation>
    </message>
    <message>
        <source>Use AC1 - AC3 &amp;default table</source>
        <translation>AC1 - AC3 mit &amp;Standardtabelle nutzen</translation>
    </message>
</context>
<context>
    <name>bdx4::MainWindow</name>
    <message>
        <source>Morvane BDX4 Configuration Utility, rev %1</source>
        <translation>Morvane BDX4-Konfigurationsprogramm, Rev. %1</translation>
    </message>
    <message>
        <source>BDX4 Configuration Utility, made by Morvane for the BDX4 band decoder.</source>
        <translation>BDX4-Konfigurationsprogramm von Morvane für den Banddecoder BDX4.</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Program path = %1</source>
        <translation>Programmpfad = %1</translation>
    </message>
    <message>
        <source>The last Map%1 changes have not been saved.  Do you want to save these changes?</source>
        <translation>Die letzten Änderungen an MAP%1 wurden nicht gespeichert.  Möchten Sie diese Änderungen speichern?</translation>
    </message>
    <message>
        <source>Error # %1</source>
        <translation>Fehler Nr. %1</translation>
    </message>
    <message>
        <source>Oops! Error message...<byte value="xd"/>
<byte value="xd"/>
%1</source>
        <translation>Hoppla! Fehlermeldung ...<byte value="xd"/>
<byte value="xd"/>
%1</translation>
    </message>
    <message>
        <source>About the BDX4 program...</source>
        <translation>Über das BDX4-Programm ...</translation>
    </message>
    <message>
        <source>Map%1</source>
        <translation>MAP%1</translation>
    </message>
    <message>
        <source>The last %1 changes have not been saved.  Do you want to save these changes?</source>
        <translation>Die letzten Änderungen an %1 wurden nicht gespeichert.  Möchten Sie diese Änderungen speichern?</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>%1 could not be put back as it was: %2<byte value="xd"/>
<byte value="xd"/>
It still holds what it held before.</source>
        <translation>%1 konnte nicht wiederhergestellt werden: %2<byte value="xd"/>
<byte value="xd"/>
Die Datei enthält weiter, was sie vorher enthielt.</translation>
    </message>
    <message>
        <source>line %1: %2</source>
        <translation>Zeile %1: %2</translation>
    </message>
    <message>
        <source>%1 could not be read whole (%2). The names that could be read are shown; the maps and the voltage tables are not touched by it.</source>
        <translation>%1 konnte nicht vollständig gelesen werden (%2). Die lesbaren Namen werden gezeigt; Belegungen und Spannungstabellen sind davon nicht berührt.</translation>
    </message>
    <message>
        <source>The names could not be saved to %1:<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
They stay as they were.</source>
        <translation>Die Namen konnten nicht in %1 gespeichert werden:<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
Sie bleiben, wie sie waren.</translation>
    </message>
    <message>
        <source>The settings file could not be written: %1 reaches %2 until the program ends.</source>
        <translation>Die Einstellungsdatei konnte nicht geschrieben werden: %1 erreicht %2 nur, bis das Programm endet.</translation>
    </message>
</context>
<context>
    <name>bdx4::OutputNamesWindow</name>
    <message>
        <source>Output Names</source>
        <translation>Namen der Ausgänge</translation>
    </message>
    <message>
        <source>What is wired to each output, in up to %1 characters. The names stay on this computer; the BDX4 never receives them.</source>
        <translation>Was an jedem Ausgang angeschlossen ist, in bis zu %1 Zeichen. Die Namen bleiben auf diesem Rechner; die BDX4 erhält sie nie.</translation>
    </message>
    <message>
        <source>Name of output %1</source>
        <translation>Name von Ausgang %1</translation>
    </message>
    <message>
        <source>A name has at most %1 characters.</source>
        <translation>Ein Name hat höchstens %1 Zeichen.</translation>
    </message>
    <message>
        <source>A name is one line of text.</source>
        <translation>Ein Name ist eine Textzeile.</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>bdx4::PortChooserWindow</name>
    <message>
        <source>Adapter for %1</source>
        <translation>Adapter für %1</translation>
    </message>
    <message>
        <source>Choose the adapter that %1 is to reach. An adapter is kept by its stable name, which stays the same whatever the order the adapters are plugged in. Nothing is sent to any port here.</source>
        <translation>Wählen Sie den Adapter, den %1 erreichen soll. Ein Adapter wird unter seinem festen Namen gemerkt, der gleich bleibt, in welcher Reihenfolge die Adapter auch eingesteckt werden. Hier wird an keine Schnittstelle etwas gesendet.</translation>
    </message>
    <message>
        <source>Serial &amp;ports present:</source>
        <translation>Vorhandene serielle &amp;Schnittstellen:</translation>
    </message>
    <message>
        <source>Use this &amp;adapter</source>
        <translation>Diesen &amp;Adapter verwenden</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Adapter</source>
        <translation>Adapter</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>USB</source>
        <translation>USB</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>Stable name</source>
        <translation>Fester Name</translation>
    </message>
    <message>
        <source>Serial ports present</source>
        <translation>Vorhandene serielle Schnittstellen</translation>
    </message>
    <message>
        <source>&amp;Find by plugging in</source>
        <translation>Durch &amp;Einstecken finden</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Weiter</translation>
    </message>
    <message>
        <source>Pull the box&apos;s adapter out, then press Next.</source>
        <translation>Ziehen Sie den Adapter des BDX4 heraus und drücken Sie dann Weiter.</translation>
    </message>
    <message>
        <source>&amp;Other device:</source>
        <translation>Anderes &amp;Gerät:</translation>
    </message>
    <message>
        <source>Use this pa&amp;th</source>
        <translation>Diesen &amp;Pfad verwenden</translation>
    </message>
    <message>
        <source>free</source>
        <translation>frei</translation>
    </message>
    <message>
        <source>busy</source>
        <translation>belegt</translation>
    </message>
    <message>
        <source>busy: %1</source>
        <translation>belegt: %1</translation>
    </message>
    <message>
        <source>no permission</source>
        <translation>kein Zugriff</translation>
    </message>
    <message>
        <source>No serial ports found.</source>
        <translation>Keine seriellen Schnittstellen gefunden.</translation>
    </message>
    <message>
        <source>Now plug it in again, then press Next.</source>
        <translation>Stecken Sie ihn jetzt wieder ein und drücken Sie dann Weiter.</translation>
    </message>
    <message>
        <source>No port appeared. Plug the box&apos;s adapter in, wait a moment, then press Next.</source>
        <translation>Es ist keine Schnittstelle hinzugekommen. Stecken Sie den Adapter des BDX4 ein, warten Sie einen Moment und drücken Sie dann Weiter.</translation>
    </message>
    <message>
        <source>%1 appeared and is selected: press Use this adapter.</source>
        <translation>%1 ist hinzugekommen und ausgewählt: drücken Sie „Diesen Adapter verwenden“.</translation>
    </message>
    <message numerus="yes">
        <source>%n ports appeared: choose the box&apos;s among them.</source>
        <translation>
            <numerusform>%n Schnittstelle ist hinzugekommen: wählen Sie die des BDX4.</numerusform>
            <numerusform>%n Schnittstellen sind hinzugekommen: wählen Sie die des BDX4 darunter.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>bdx4::PortStatusBar</name>
    <message>
        <source>%1 baud</source>
        <translation>%1 Baud</translation>
    </message>
    <message>
        <source>not open</source>
        <translation>nicht geöffnet</translation>
    </message>
    <message>
        <source>open</source>
        <translation>geöffnet</translation>
    </message>
    <message>
        <source>BDX4 firmware %1</source>
        <translation>BDX4-Firmware %1</translation>
    </message>
    <message>
        <source>lost</source>
        <translation>getrennt</translation>
    </message>
    <message>
        <source>%1, %2 of %3</source>
        <translation>%1, %2 von %3</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Übertragung</translation>
    </message>
    <message>
        <source>Last written to the BDX4: %1 on %2 (%3)</source>
        <translation>Zuletzt in die BDX4 geschrieben: %1 über %2 (%3)</translation>
    </message>
</context>
<context>
    <name>bdx4::QtSerialLine</name>
    <message>
        <source>The serial port %1 is not open.</source>
        <translation>Die serielle Schnittstelle %1 ist nicht geöffnet.</translation>
    </message>
    <message>
        <source>the serial device went away: unplugged or switched off</source>
        <translation>das serielle Gerät ist nicht mehr da: ausgesteckt oder ausgeschaltet</translation>
    </message>
</context>
<context>
    <name>bdx4::SaveFileDialog</name>
    <message>
        <source>Save File As...</source>
        <translation>Datei speichern unter ...</translation>
    </message>
    <message>
        <source>Drive:</source>
        <translation>LW:</translation>
    </message>
    <message>
        <source>Drive</source>
        <translation>Laufwerk</translation>
    </message>
    <message>
        <source>Path: </source>
        <translation>Pfad: </translation>
    </message>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Files Found:</source>
        <translation>Dateien:</translation>
    </message>
    <message>
        <source>Files Found</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation>Dateiname:</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Error %1, %2</source>
        <translation>Fehler %1, %2</translation>
    </message>
    <message>
        <source>Device unavailable</source>
        <translation>Gerät nicht verfügbar</translation>
    </message>
    <message>
        <source>Sorry, this drive is not accessable; try another.</source>
        <translation>Dieses Laufwerk ist leider nicht erreichbar; versuchen Sie eine andere.</translation>
    </message>
    <message>
        <source>The folder %1 does not exist. Nothing was saved.</source>
        <translation>Den Ordner %1 gibt es nicht. Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>%1 already exists. Replace it?</source>
        <translation>%1 gibt es schon. Ersetzen?</translation>
    </message>
</context>
<context>
    <name>bdx4::SeekingWindow</name>
    <message>
        <source>Seeking BDX4</source>
        <translation>Suche nach BDX4</translation>
    </message>
    <message>
        <source>Queries sent</source>
        <translation>Gesendete Abfragen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Looking for the BDX4 on %1 at %2 baud</source>
        <translation>Suche den BDX4 an %1 mit %2 Baud</translation>
    </message>
</context>
<context>
    <name>bdx4::VoltageHelpWindow</name>
    <message>
        <source>BDX4 AN%1 Help </source>
        <translation>BDX4 AN%1 – Hilfe </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Setting up Analog Band Voltages...</source>
        <translation>Bandspannungen einstellen ...</translation>
    </message>
    <message>
        <source>Consult the manufacturer of your transceiver for the Band Voltage table.  Alternatively, you could measure the voltages with a DMM.</source>
        <translation>Die Bandspannungstabelle erfahren Sie vom Hersteller Ihres Transceivers.  Sie können die Spannungen auch mit einem Multimeter messen.</translation>
    </message>
    <message>
        <source>Analog Voltage table %1 can range in value from 0 to %2 Volts.</source>
        <translation>Die Werte der Bandspannungstabelle %1 reichen von 0 bis %2 Volt.</translation>
    </message>
    <message>
        <source>If a Band for your transceiver doesn&apos;t list a voltage, set the control to 0.</source>
        <translation>Nennt Ihr Transceiver für ein Band keine Spannung, stellen Sie den Regler auf 0.</translation>
    </message>
    <message>
        <source>Voltage input for %1 is pin %2 of J1/J2.</source>
        <translation>Der Spannungseingang für %1 ist Pin %2 von J1/J2.</translation>
    </message>
</context>
<context>
    <name>bdx4::VoltageWindow</name>
    <message>
        <source>Analog Voltage Table AN%1</source>
        <translation>Bandspannungstabelle AN%1</translation>
    </message>
    <message>
        <source>Analog Voltage AN%1 range is 0 to %2 volts.</source>
        <translation>Die Bandspannung AN%1 reicht von 0 bis %2 Volt.</translation>
    </message>
    <message>
        <source>Either type in the voltage here, or use the slider control below.</source>
        <translation>Geben Sie die Spannung hier ein oder stellen Sie sie mit dem Regler darunter ein.</translation>
    </message>
    <message>
        <source>AN%1 %2 volts</source>
        <translation>AN%1 %2 Volt</translation>
    </message>
    <message>
        <source>AN%1 %2 level</source>
        <translation>AN%1 %2 Stufe</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>The AN%1 voltage settings could not be saved to %2.<byte value="xd"/>
<byte value="xd"/>
%3</source>
        <translation>Die Spannungseinstellungen für AN%1 konnten nicht in %2 gespeichert werden.<byte value="xd"/>
<byte value="xd"/>
%3</translation>
    </message>
    <message>
        <source>The AN%1 Voltage Settings have changed.  Do you want to save these settings?</source>
        <translation>Die Spannungseinstellungen für AN%1 wurden geändert.  Möchten Sie sie speichern?</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no voltage: type 0 to %2 volts. The level stays as it was.</source>
        <translation>„%1“ ist keine Spannung: Geben Sie 0 bis %2 Volt ein. Die Stufe bleibt, wie sie war.</translation>
    </message>
    <message>
        <source>%1 is below 0 volts: type 0 to %2 volts. The level stays as it was.</source>
        <translation>%1 liegt unter 0 Volt: Geben Sie 0 bis %2 Volt ein. Die Stufe bleibt, wie sie war.</translation>
    </message>
    <message>
        <source>%1 is above the AN%2 range of 0 to %3 volts. The level stays as it was.</source>
        <translation>%1 liegt über dem Bereich von AN%2 (0 bis %3 Volt). Die Stufe bleibt, wie sie war.</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Defaults</source>
        <translation>S&amp;tandard</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
</context>
<context>
    <name>bdx4::ctl::CommandRunner</name>
    <message>
        <source>nothing was sent to the box</source>
        <translation>es wurde nichts an den BDX4 gesendet</translation>
    </message>
    <message>
        <source>nothing was written</source>
        <translation>es wurde nichts geschrieben</translation>
    </message>
    <message>
        <source>Stores in %1</source>
        <translation>Speicherdateien in %1</translation>
    </message>
    <message>
        <source> (shown as far as it was read)</source>
        <translation> (angezeigt, soweit gelesen)</translation>
    </message>
    <message>
        <source>Write Bandmap to File</source>
        <translation>Bandzuordnung in Datei schreiben</translation>
    </message>
    <message>
        <source>bdx4ctl: --trace: &quot;%1&quot; cannot be written: %2</source>
        <translation>bdx4ctl: --trace: „%1“ kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>bdx4ctl: the remembered speed &quot;%1&quot; is none of the box&apos;s; using 4800 baud</source>
        <translation>bdx4ctl: die gespeicherte Baudrate „%1“ kennt der BDX4 nicht; verwende 4800 Baud</translation>
    </message>
    <message>
        <source>Port %1 at %2 baud</source>
        <translation>Schnittstelle %1 mit %2 Baud</translation>
    </message>
    <message>
        <source>Seeking BDX4 ...</source>
        <translation>Suche nach BDX4 ...</translation>
    </message>
    <message>
        <source>BDX4 Connected</source>
        <translation>BDX4 verbunden</translation>
    </message>
    <message>
        <source>BDX4 Firmware = %1</source>
        <translation>BDX4-Firmware = %1</translation>
    </message>
    <message>
        <source>bdx4ctl: stopped</source>
        <translation>bdx4ctl: abgebrochen</translation>
    </message>
    <message>
        <source>MAP%1 from %2</source>
        <translation>MAP%1 aus %2</translation>
    </message>
    <message>
        <source>Closing</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>Last Send Passed!</source>
        <translation>Senden erfolgreich!</translation>
    </message>
    <message>
        <source>Last Send Failed!</source>
        <translation>Senden fehlerhaft!</translation>
    </message>
    <message>
        <source>Configuration file %1</source>
        <translation>Konfigurationsdatei %1</translation>
    </message>
    <message>
        <source>bdx4ctl: the sheet &quot;%1&quot; could not be written: %2
Nothing was saved; any earlier file of that name is unchanged.</source>
        <translation>bdx4ctl: das Blatt „%1“ konnte nicht geschrieben werden: %2
Es wurde nichts gespeichert; eine frühere Datei dieses Namens ist unverändert.</translation>
    </message>
    <message>
        <source>The sheet of %1 is in %2</source>
        <translation>Das Blatt von %1 steht in %2</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>bdx4ctl: record %1 of %2 differs from the one rebuilt from it; nothing was sent to the box</source>
        <translation>bdx4ctl: Datensatz %1 von %2 weicht von dem daraus neu gebildeten ab; es wurde nichts an den BDX4 gesendet</translation>
    </message>
    <message>
        <source>Configuration from %1</source>
        <translation>Konfiguration aus %1</translation>
    </message>
    <message>
        <source>the file given with --from</source>
        <translation>die mit --from angegebene Datei</translation>
    </message>
    <message>
        <source>the store %1</source>
        <translation>die Speicherdatei %1</translation>
    </message>
    <message>
        <source>the port&apos;s device %1</source>
        <translation>das Gerät des Ports, %1</translation>
    </message>
    <message>
        <source>bdx4ctl: &quot;%1&quot; is %2: an output never replaces what the command reads; give another file</source>
        <translation>bdx4ctl: „%1“ ist %2: eine Ausgabe ersetzt nie, was der Befehl liest; geben Sie eine andere Datei an</translation>
    </message>
    <message>
        <source>bdx4ctl: %1; save the maps and the band voltages again in bdx4config, or give another --store</source>
        <translation>bdx4ctl: %1; speichern Sie Bandzuordnungen und Bandspannungen in bdx4config neu, oder geben Sie ein anderes --store an</translation>
    </message>
    <message>
        <source>bdx4ctl: --trace: &quot;%1&quot; could not be written to the end: %2</source>
        <translation>bdx4ctl: --trace: „%1“ konnte nicht bis zum Ende geschrieben werden: %2</translation>
    </message>
    <message>
        <source>Output names</source>
        <translation>Namen der Ausgänge</translation>
    </message>
</context>
<context>
    <name>bdx4config</name>
    <message>
        <source>The lock file %1 cannot be created: %2.<byte value="xd"/>
<byte value="xd"/>
The program goes on, but it cannot tell whether another copy works on the same stores, and saving them may fail for the same reason.</source>
        <translation>Die Sperrdatei %1 kann nicht angelegt werden: %2.<byte value="xd"/>
<byte value="xd"/>
Das Programm läuft weiter, kann aber nicht erkennen, ob eine zweite Kopie mit denselben Speicherdateien arbeitet, und das Speichern kann aus demselben Grund scheitern.</translation>
    </message>
</context>
<context>
    <name>bdx4ctl</name>
    <message>
        <source>--map: &quot;%1&quot; is no map; give 1, 2 or 3</source>
        <translation>--map: „%1“ ist keine MAP; geben Sie 1, 2 oder 3 an</translation>
    </message>
    <message>
        <source>--store: &quot;%1&quot; is not a folder; give the folder that holds bdx4_cfg.ini and bdx4_bv.ini</source>
        <translation>--store: „%1“ ist kein Ordner; geben Sie den Ordner mit bdx4_cfg.ini und bdx4_bv.ini an</translation>
    </message>
    <message>
        <source>--port: &quot;%1&quot; is neither a port number from 1 to 16 nor a device path (such as /dev/ttyUSB0)</source>
        <translation>--port: „%1“ ist weder eine Schnittstellennummer von 1 bis 16 noch ein Gerätepfad (wie /dev/ttyUSB0)</translation>
    </message>
    <message>
        <source>--baud: &quot;%1&quot; is not a speed of the box; give 4800, 9600, 19200 or 38400</source>
        <translation>--baud: „%1“ ist keine Baudrate des BDX4; geben Sie 4800, 9600, 19200 oder 38400 an</translation>
    </message>
    <message>
        <source>--trace: give the file to record the conversation in</source>
        <translation>--trace: geben Sie die Datei für den Mitschnitt an</translation>
    </message>
    <message>
        <source>no command given; use %1 (see bdx4ctl --help)</source>
        <translation>kein Befehl angegeben; verwenden Sie %1 (siehe bdx4ctl --help)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no command; use %2 (see bdx4ctl --help)</source>
        <translation>„%1“ ist kein Befehl; verwenden Sie %2 (siehe bdx4ctl --help)</translation>
    </message>
    <message>
        <source>%1 takes no option &quot;%2&quot;; its options are %3 and --help</source>
        <translation>%1 kennt keine Option „%2“; seine Optionen sind %3 und --help</translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation>%1 braucht einen Wert</translation>
    </message>
    <message>
        <source>%1 takes no argument &quot;%2&quot; (see bdx4ctl --help)</source>
        <translation>%1 nimmt kein Argument „%2“ (siehe bdx4ctl --help)</translation>
    </message>
    <message>
        <source>%1 needs --port: a port number from 1 to 16 or a device path (such as /dev/ttyUSB0)</source>
        <translation>%1 braucht --port: eine Schnittstellennummer von 1 bis 16 oder einen Gerätepfad (wie /dev/ttyUSB0)</translation>
    </message>
    <message>
        <source>bdx4ctl: running as root through sudo: using the stores in %1</source>
        <translation>bdx4ctl: läuft über sudo als root: verwende die Speicherdateien in %1</translation>
    </message>
    <message>
        <source>, root&apos;s own; %1&apos;s are in %2 (give --store %2 to use them)</source>
        <translation>, die von root; die von %1 liegen in %2 (mit --store %2 werden sie verwendet)</translation>
    </message>
    <message>
        <source>bdx4ctl: there is no %1; the default arrangement stands for MAP1 and the other maps are empty</source>
        <translation>bdx4ctl: %1 fehlt; MAP1 enthält die Standardbelegung, die anderen MAPs sind leer</translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>bdx4ctl: there is no %1; every band voltage is 0</source>
        <translation>bdx4ctl: %1 fehlt; alle Bandspannungen sind 0</translation>
    </message>
    <message>
        <source>x on, . off, - grayed (kept, never sent as on)</source>
        <translation>x ein, . aus, - grau (bleibt erhalten, wird nie als ein gesendet)</translation>
    </message>
    <message>
        <source>ACn mode: Use AC1 - AC3 for Bandmap</source>
        <translation>ACn-Betriebsart: AC1 - AC3 für die Bandzuordnung nutzen</translation>
    </message>
    <message>
        <source>ACn mode: Use AC1 - AC3 default table</source>
        <translation>ACn-Betriebsart: AC1 - AC3 mit Standardtabelle nutzen</translation>
    </message>
    <message>
        <source>  (the box drives AC1-AC3 from its accessory table; the AC1-AC3 columns are not sent)</source>
        <translation>  (der BDX4 steuert AC1-AC3 über seine Zubehörtabelle; die Spalten AC1-AC3 werden nicht gesendet)</translation>
    </message>
    <message>
        <source>Band voltages</source>
        <translation>Bandspannungen</translation>
    </message>
    <message>
        <source>(0.00: the transceiver gives no voltage on that band)</source>
        <translation>(0.00: der Transceiver gibt auf diesem Band keine Spannung aus)</translation>
    </message>
    <message>
        <source>--from: give the configuration file to read</source>
        <translation>--from: geben Sie die Konfigurationsdatei an, die gelesen werden soll</translation>
    </message>
    <message>
        <source>--from takes the map, the AC1-AC3 mode and the band voltages from the file: give no --map or --store with it</source>
        <translation>--from nimmt die Bandzuordnung, die AC1-AC3-Betriebsart und die Bandspannungen aus der Datei: geben Sie dazu kein --map oder --store an</translation>
    </message>
    <message>
        <source>sheet needs the PDF file to write: bdx4ctl sheet [--map N | --from FILE] OUT.pdf</source>
        <translation>sheet braucht die PDF-Datei, die geschrieben werden soll: bdx4ctl sheet [--map N | --from DATEI] AUS.pdf</translation>
    </message>
    <message>
        <source>export needs the FILE to write, or - for standard output: bdx4ctl export [--map N] FILE</source>
        <translation>export braucht die DATEI, die geschrieben werden soll, oder - für die Standardausgabe: bdx4ctl export [--map N] DATEI</translation>
    </message>
    <message>
        <source>%1: the file name is empty</source>
        <translation>%1: der Dateiname ist leer</translation>
    </message>
    <message>
        <source>sheet writes a PDF file, not standard output: give the file&apos;s name</source>
        <translation>sheet schreibt eine PDF-Datei, nicht auf die Standardausgabe: geben Sie den Dateinamen an</translation>
    </message>
    <message>
        <source>%1 is given more than once; give it once</source>
        <translation>%1 steht mehrmals in der Zeile; geben Sie es nur einmal an</translation>
    </message>
    <message>
        <source>bdx4ctl: &quot;%1&quot; is not text in the system&apos;s encoding (UTF-8), so no file can be named by it; rename the file, or give a link to it with such a name</source>
        <translation>bdx4ctl: „%1“ ist kein Text in der Kodierung des Systems (UTF-8), also lässt sich damit keine Datei benennen; benennen Sie die Datei um oder geben Sie einen Link darauf mit einem solchen Namen an</translation>
    </message>
    <message>
        <source>bdx4ctl: standard output could not be written: %1</source>
        <translation>bdx4ctl: die Standardausgabe konnte nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>%1 could not be read whole: %2</source>
        <translation>%1 konnte nicht vollständig gelesen werden: %2</translation>
    </message>
    <message>
        <source>show, export, query, write, sheet, ports, history, diff or names</source>
        <translation>show, export, query, write, sheet, ports, history, diff oder names</translation>
    </message>
    <message>
        <source>bdx4ctl: the BDX4 configuration from the command line, with the stores, port settings
and box conversation of bdx4config.

Usage:
  bdx4ctl show   [--map N] [--store DIR]
  bdx4ctl show   --from FILE
      Print map N (1-3, default 1), or the configuration in FILE, as a grid of
      bands by outputs, the AC1-AC3 mode and the three band-voltage tables in volts.
  bdx4ctl export [--map N] [--store DIR] FILE
      Write the eight lines a download of map N would send into FILE (- for
      standard output), as &quot;Write Bandmap to File&quot; does.
  bdx4ctl query  --port P [--baud B] [--trace FILE]
      Look for the box and print its firmware version.
  bdx4ctl write  --port P [--baud B] [--map N] [--store DIR] [--trace FILE]
  bdx4ctl write  --port P [--baud B] --from FILE [--store DIR] [--trace FILE]
      Write map N, the accessory table and the voltage tables into the box, as
      &quot;Write To BDX4&quot; does, or the seven records of the configuration in FILE
      once every one of them is checked. Ctrl+C stops it; the box is told that it
      is over. What passed is kept in the history beside the stores (--store).
  bdx4ctl sheet  [--map N | --from FILE] [--store DIR] OUT.pdf
      Write the printable sheet of map N or of FILE as a one-page PDF.
  bdx4ctl ports  [--port P]
      List the serial ports present now, one line each, with the stable name to
      give --port last; * marks the one --port P reaches. Opens none of them.
  bdx4ctl history [--store DIR]
      List what was written into the box, newest first: when, the map or file,
      the port, the box&apos;s firmware, and the file that keeps those eight lines.
  bdx4ctl diff   FILE [FILE2] [--map N] [--store DIR]
      Print each cell, band voltage and AC1-AC3 mode the box would receive
      differently from FILE and FILE2 (default: map N with the stores&apos; mode and
      band voltages). Exit status 0 when nothing differs, 1 when something does.
  bdx4ctl names  [--store DIR] [OUTPUT=NAME ...]
      List the names of the outputs, or give OUTPUT (160 ... 10, XV1 ... XV3,
      AC1 ... AC3) the NAME (at most 24 characters; an empty NAME removes it).
      They are kept in bdx4_names.txt beside the stores, never sent to the box.
  bdx4ctl --version

Options:
  --port P      a port number 1-16 as in bdx4config&apos;s COMM menu (the settings&apos;
                [Ports] section, or /dev/ttyUSB0-7, /dev/ttyACM0-3, /dev/ttyS0-3),
                or a device path such as /dev/ttyUSB0 or /dev/serial/by-id/...
  --baud B      4800, 9600, 19200 or 38400, as set by the box&apos;s jumpers
                (default: bdx4config&apos;s last speed, else 4800)
  --store DIR   the folder of bdx4_cfg.ini and bdx4_bv.ini, also of the names and
                the history (default: bdx4config&apos;s, the per-user data folder for
                an installed program, else the folder of this program when it is
                writable)
  --from FILE   a configuration file, as &quot;Write Bandmap to File&quot; writes it (also the
                seven records alone, as other Intel HEX tools write them)
  --trace FILE  record every byte sent and received, with times, into FILE
  --help        print this text
  --version     print the program&apos;s name and version

Exit status: 0 done; 1 the box was not found, the port or a file failed, a
configuration file was damaged, a record was not acknowledged, or Ctrl+C stopped
it; 2 the command line was wrong.
</source>
        <translation>bdx4ctl: die BDX4-Konfiguration von der Kommandozeile, mit den Speicherdateien,
Schnittstelleneinstellungen und der Verbindung zum BDX4 von bdx4config.

Aufruf:
  bdx4ctl show   [--map N] [--store ORDNER]
  bdx4ctl show   --from DATEI
      MAP N (1-3, Standard 1) oder die Konfiguration in DATEI als Raster aus
      Bändern und Ausgängen ausgeben, dazu die ACn-Betriebsart und die drei
      Bandspannungstabellen in Volt.
  bdx4ctl export [--map N] [--store ORDNER] DATEI
      Die acht Zeilen, die eine Übertragung von MAP N senden würde, in DATEI
      schreiben (- für die Standardausgabe), wie es „Bandzuordnung in Datei
      schreiben“ tut.
  bdx4ctl query  --port P [--baud B] [--trace DATEI]
      Den BDX4 suchen und seine Firmware-Version ausgeben.
  bdx4ctl write  --port P [--baud B] [--map N] [--store ORDNER] [--trace DATEI]
  bdx4ctl write  --port P [--baud B] --from DATEI [--store ORDNER] [--trace DATEI]
      MAP N, die Zubehörtabelle und die Bandspannungstabellen in den BDX4
      schreiben, wie es „An BDX4 senden“ tut, oder die sieben Datensätze der
      Konfiguration in DATEI, sobald jeder von ihnen geprüft ist. Strg+C bricht
      ab; der BDX4 erfährt, dass die Übertragung beendet ist. Was gelingt, wird
      im Verlauf neben den Speicherdateien (--store) aufbewahrt.
  bdx4ctl sheet  [--map N | --from DATEI] [--store ORDNER] AUS.pdf
      Das Druckblatt von MAP N oder von DATEI als einseitiges PDF schreiben.
  bdx4ctl ports  [--port P]
      Die jetzt vorhandenen seriellen Schnittstellen auflisten, eine je Zeile, mit
      dem festen Namen für --port am Ende; * zeigt die, die --port P erreicht.
      Öffnet keine davon.
  bdx4ctl history [--store ORDNER]
      Auflisten, was in den BDX4 geschrieben wurde, das Neueste zuerst: wann, die
      Zuordnung oder Datei, die Schnittstelle, die Firmware des BDX4 und die
      Datei, die diese acht Zeilen aufbewahrt.
  bdx4ctl diff   DATEI [DATEI2] [--map N] [--store ORDNER]
      Jedes Feld, jede Bandspannung und die AC1-AC3-Betriebsart ausgeben, die der
      BDX4 von DATEI und DATEI2 verschieden erhielte (Standard für DATEI2: MAP N
      mit Betriebsart und Bandspannungen der Speicherdateien). Rückgabewert 0,
      wenn nichts verschieden ist, 1, wenn etwas verschieden ist.
  bdx4ctl names  [--store ORDNER] [AUSGANG=NAME ...]
      Die Namen der Ausgänge auflisten oder AUSGANG (160 ... 10, XV1 ... XV3,
      AC1 ... AC3) den NAMEN geben (höchstens 24 Zeichen; ein leerer NAME
      entfernt ihn). Sie stehen in bdx4_names.txt neben den Speicherdateien und
      gehen nie an den BDX4.
  bdx4ctl --version

Optionen:
  --port P        eine Schnittstellennummer 1-16 wie im Menü „Schnittstelle“ von
                  bdx4config (Abschnitt [Ports] der Einstellungen, sonst
                  /dev/ttyUSB0-7, /dev/ttyACM0-3, /dev/ttyS0-3) oder ein
                  Gerätepfad wie /dev/ttyUSB0 oder /dev/serial/by-id/...
  --baud B        4800, 9600, 19200 oder 38400, wie mit den Jumpern im BDX4
                  eingestellt (Standard: die zuletzt von bdx4config benutzte
                  Baudrate, sonst 4800)
  --store ORDNER  der Ordner von bdx4_cfg.ini und bdx4_bv.ini, auch der Namen und
                  des Verlaufs (Standard: der von bdx4config, also der
                  persönliche Datenordner bei einem installierten Programm, sonst
                  der Ordner dieses Programms, wenn es dort schreiben darf)
  --from DATEI    eine Konfigurationsdatei, wie „Bandzuordnung in Datei schreiben“
                  sie schreibt (auch nur die sieben Datensätze, wie andere
                  Intel-HEX-Werkzeuge sie schreiben)
  --trace DATEI   jedes gesendete und empfangene Byte mit Zeit in DATEI
                  mitschneiden
  --help          diesen Text ausgeben
  --version       Name und Version des Programms ausgeben

Rückgabewert: 0 erledigt; 1 BDX4 nicht gefunden, Fehler an der Schnittstelle
oder in einer Datei, eine Konfigurationsdatei beschädigt, ein Datensatz nicht
bestätigt oder mit Strg+C abgebrochen; 2 die Kommandozeile war falsch.
</translation>
    </message>
    <message>
        <source>busy</source>
        <translation>belegt</translation>
    </message>
    <message>
        <source>busy: %1</source>
        <translation>belegt: %1</translation>
    </message>
    <message>
        <source>no permission</source>
        <translation>kein Zugriff</translation>
    </message>
    <message>
        <source>free</source>
        <translation>frei</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Zustand</translation>
    </message>
    <message>
        <source>USB</source>
        <translation>USB</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>Adapter</source>
        <translation>Adapter</translation>
    </message>
    <message>
        <source>Stable name</source>
        <translation>Fester Name</translation>
    </message>
    <message>
        <source>No serial ports found.</source>
        <translation>Keine seriellen Schnittstellen gefunden.</translation>
    </message>
    <message>
        <source>* --port %1 reaches %2.</source>
        <translation>* --port %1 erreicht %2.</translation>
    </message>
    <message>
        <source>--port %1 reaches %2, which is not present.</source>
        <translation>--port %1 erreicht %2, das nicht vorhanden ist.</translation>
    </message>
    <message>
        <source>--port %1 is not present.</source>
        <translation>--port %1 ist nicht vorhanden.</translation>
    </message>
    <message>
        <source>names: &quot;%1&quot; is no OUTPUT=NAME (such as 40=4-square)</source>
        <translation>names: „%1“ ist kein AUSGANG=NAME (wie 40=4-square)</translation>
    </message>
    <message>
        <source>names: &quot;%1&quot; is no output; give 160 ... 10, XV1 ... XV3 or AC1 ... AC3</source>
        <translation>names: „%1“ ist kein Ausgang; 160 ... 10, XV1 ... XV3 oder AC1 ... AC3 angeben</translation>
    </message>
    <message>
        <source>names: the name for %1 is longer than %2 characters</source>
        <translation>names: der Name für %1 ist länger als %2 Zeichen</translation>
    </message>
    <message>
        <source>names: the name for %1 holds a line break or another control character</source>
        <translation>names: der Name für %1 enthält einen Zeilenumbruch oder ein anderes Steuerzeichen</translation>
    </message>
    <message>
        <source>diff needs the FILE to compare: bdx4ctl diff FILE [FILE2]</source>
        <translation>diff braucht die zu vergleichende DATEI: bdx4ctl diff DATEI [DATEI2]</translation>
    </message>
    <message>
        <source>diff compares FILE with FILE2: give no --map or --store with them</source>
        <translation>diff vergleicht DATEI mit DATEI2: dazu kein --map oder --store angeben</translation>
    </message>
    <message>
        <source>Use AC1 - AC3 for Bandmap</source>
        <translation>AC1 - AC3 für die Bandzuordnung nutzen</translation>
    </message>
    <message>
        <source>Use AC1 - AC3 default table</source>
        <translation>AC1 - AC3 mit Standardtabelle nutzen</translation>
    </message>
    <message>
        <source>bdx4ctl: the box holds the configuration, but the history of what was written cannot be kept in %1: %2</source>
        <translation>bdx4ctl: der BDX4 hat die Konfiguration, aber der Verlauf des Geschriebenen kann nicht in %1 aufbewahrt werden: %2</translation>
    </message>
    <message>
        <source>firmware %1</source>
        <translation>Firmware %1</translation>
    </message>
    <message>
        <source>Nothing was written into the box from these stores yet (%1).</source>
        <translation>Aus diesen Speicherdateien wurde noch nichts in den BDX4 geschrieben (%1).</translation>
    </message>
    <message>
        <source>%1: output %2 on in %3, off in %4</source>
        <translation>%1: Ausgang %2 ein in %3, aus in %4</translation>
    </message>
    <message>
        <source>%1: output %2 off in %3, on in %4</source>
        <translation>%1: Ausgang %2 aus in %3, ein in %4</translation>
    </message>
    <message>
        <source>AN%1 %2: %3 V in %4, %5 V in %6</source>
        <translation>AN%1 %2: %3 V in %4, %5 V in %6</translation>
    </message>
    <message>
        <source>ACn mode: %1 in %2, %3 in %4</source>
        <translation>ACn-Betriebsart: %1 in %2, %3 in %4</translation>
    </message>
    <message>
        <source>the store&apos;s MAP%1</source>
        <translation>MAP%1 der Speicherdatei</translation>
    </message>
    <message>
        <source>Nothing differs.</source>
        <translation>Nichts ist verschieden.</translation>
    </message>
    <message>
        <source>bdx4ctl: %1 cannot be read: %2</source>
        <translation>bdx4ctl: %1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>bdx4ctl: %1: line %2: %3 (the other names are read)</source>
        <translation>bdx4ctl: %1: Zeile %2: %3 (die anderen Namen werden gelesen)</translation>
    </message>
    <message>
        <source>No output has a name yet.</source>
        <translation>Noch hat kein Ausgang einen Namen.</translation>
    </message>
    <message>
        <source>bdx4ctl: bdx4config (or another bdx4ctl) works on the stores in %1; close it and name the outputs again; nothing was written</source>
        <translation>bdx4ctl: bdx4config (oder ein anderes bdx4ctl) arbeitet mit den Speicherdateien in %1; es beenden und die Ausgänge erneut benennen; nichts wurde geschrieben</translation>
    </message>
    <message>
        <source>bdx4ctl: the lock file %1 cannot be created: %2</source>
        <translation>bdx4ctl: die Sperrdatei %1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>bdx4ctl: nothing was written; mend or remove that file first</source>
        <translation>bdx4ctl: nichts wurde geschrieben; diese Datei zuerst berichtigen oder entfernen</translation>
    </message>
    <message>
        <source>bdx4ctl: %1 could not be written: %2; it is unchanged</source>
        <translation>bdx4ctl: %1 konnte nicht geschrieben werden: %2; sie ist unverändert</translation>
    </message>
    <message>
        <source>--from takes the map, the AC1-AC3 mode and the band voltages from the file: give no --map with it</source>
        <translation>--from nimmt die Bandzuordnung, die AC1-AC3-Betriebsart und die Bandspannungen aus der Datei: geben Sie dazu kein --map an</translation>
    </message>
</context>
<context>
    <name>dialogs</name>
    <message>
        <source>BDX4 Config</source>
        <translation>BDX4-Konfiguration</translation>
    </message>
    <message>
        <source>a map</source>
        <translation>einer Bandzuordnung</translation>
    </message>
    <message>
        <source>a voltage table</source>
        <translation>einer Bandspannungstabelle</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2. It was left as it is; saving %3 will try to replace it.</source>
        <translation>%1 kann nicht gelesen werden: %2. Die Datei bleibt, wie sie ist; beim Speichern %3 wird versucht, sie zu ersetzen.</translation>
    </message>
    <message>
        <source>%1 could be read only in part (%2). Everything that could be read is shown. Before the file is first saved over, it is kept as it is in a copy beside it.</source>
        <translation>%1 konnte nur teilweise gelesen werden (%2). Alles Lesbare wird gezeigt. Bevor die Datei zum ersten Mal überschrieben wird, wird sie unverändert als Kopie daneben aufbewahrt.</translation>
    </message>
    <message>
        <source>%1 was changed by another program since this one read it. Replace it all the same? No keeps it as the other program left it.</source>
        <translation>%1 wurde von einem anderen Programm geändert, seit dieses sie gelesen hat. Trotzdem ersetzen? Nein lässt sie, wie das andere Programm sie hinterließ.</translation>
    </message>
    <message>
        <source>%1 could be read only in part, so it was kept as it was in %2 before it was replaced.</source>
        <translation>%1 war nur teilweise lesbar und wurde darum vor dem Ersetzen unverändert als %2 aufbewahrt.</translation>
    </message>
</context>
</TS>
