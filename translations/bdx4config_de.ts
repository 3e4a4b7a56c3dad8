<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>ConfigImage</name>
    <message>
        <source>HF Band Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VHF Band Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Accessory Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AN1 Band Voltages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AN2 Band Voltages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AN3 Band Voltages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>HF Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>VHF Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Acc Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AN1 Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AN2 Data</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AN3 Data</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ResultTexts</name>
    <message>
        <source>The serial line on %1 was lost (%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No BDX4 found.  Please check this program&apos;s COM settings.<byte value="xd"/>
<byte value="xd"/>
Use the COMM pull-down menu to select the correct Port and BAUD rate<byte value="xd"/>
that has been set via the jumpers in your BDX4 (see manual).<byte value="xd"/>
<byte value="xd"/>
Also be sure the OP/DL switch on your BDX4 is set to DL (toward Power jack).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error connecting to a BDX4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BDX4: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download failed in section %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The serial port %1 is not open, so nothing was sent to the BDX4.<byte value="xd"/>
<byte value="xd"/>
Choose the port and speed in the COMM menu, then use &quot;Test for BDX4&quot; in the Main menu to open it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nothing could be sent to the BDX4 on %1:<byte value="xd"/>
%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download cancelled in section %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SerialDiagnosis</name>
    <message>
        <source>There is no serial port %1: choose one of COM1 to COM16 in the COMM menu.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>There is no serial port %1: give --port a number from 1 to 16 or a device path.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The speed &quot;%1&quot; is not one the serial port accepts; choose 4800, 9600, 19200 or 38400 BAUD in the COMM menu.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The speed &quot;%1&quot; is not one the serial port accepts; give --baud 4800, 9600, 19200 or 38400.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The serial device %1 does not exist (is the adapter plugged in?).  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No serial ports were found on this computer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial ports on this computer: %1.  Choose one in the COMM menu.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Serial ports on this computer: %1.  Give one with --port.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You may not read and write %1.  </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask the administrator for access to it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>It belongs to the group &quot;%1&quot;, whose members may use it: add yourself to that group (for example: sudo adduser $USER %1), then log out and in again.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is in use by another program.  Close that program, or let it release the port, and try again.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StoreFile</name>
    <message>
        <source>it is a folder</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>bdx4::BandMapGrid</name>
    <message>
        <source>%1 to %2</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>bdx4::HelpWindow</name>
    <message>
        <source>BDX4 Config Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The ACC pins may be used for accessory control from the Z7 or Z9&apos;s ACC menu or as band outputs. Use the pull-down menu &quot;Use ACn&quot; to set the correct mode for your use.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The W5 jumper inside the BDX4 selects the bandmap used for transverters. When out (default) the HF-XVTR bandmap is used, allowing only XVTR1-XVTR3 selections. With W5 installed, the XVTR bandmap is used, allowing all XVTR inputs from the radio to make selections.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Click on a checkbox to match the band on the left side to an output across the top row.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forms to set Band Analog Voltage tables (AN1, AN2, and AN3) are available from the top row of pull-down menus.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>When your maps are complete, save them using the &quot;Save As&quot; buttons on the bottom row, then click on the &quot;Send to BDX4&quot; button on the right.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please consult the BDX4 Operating Instructions for further information on  how the jumpers in the BDX4 affect the ways you can use the Band Maps.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>bdx4::MainWindow</name>
    <message>
        <source>Morvane BDX4 Configuration Utility, rev %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BDX4 Configuration Utility, made by Morvane for the BDX4 band decoder.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Program path = %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Closing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BDX4 Control Outputs</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Transceiver</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Band</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>W5 OUT</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>W5 IN</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAP%1 Displayed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop the download; the box is told that it is over</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clear all the checkboxes above</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Set the checkboxes above to the standard default arrangement</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Display MAP%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save as MAP%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write To BDX4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write the checkbox arrangement above to the BDX4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit this program</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Main</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Test for BDX4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write Bandmap to File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use ACn</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use AC1 - AC3 for Bandmap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Use AC1 - AC3 default table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analog%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COMM</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  4800 BAUD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  9600 BAUD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>19200 BAUD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>38400 BAUD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Using</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a map</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>a voltage table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be read: %2. It was left as it is; saving %3 will try to replace it.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The last Map%1 changes have not been saved.  Do you want to save these changes?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error # %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Oops! Error message...<byte value="xd"/>
<byte value="xd"/>
%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error Opening COM%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Reopened COM%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>COM%1 didn&apos;t work.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error COM Ports</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Try selecting another COMM port.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BDX4 Connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BDX4 Firmware = %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last Send Passed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last Send Failed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be written:<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
Nothing was saved; any earlier file of that name is unchanged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About the BDX4 program...</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>bdx4::QtSerialLine</name>
    <message>
        <source>The serial port %1 is not open.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>bdx4::SaveFileDialog</name>
    <message>
        <source>Save File As...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drive:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drive</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Path: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files Found:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Files Found</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File Name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error %1, %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Device unavailable</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sorry, this drive is not accessable; try another.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>bdx4::SeekingWindow</name>
    <message>
        <source>Seeking BDX4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Queries sent</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>bdx4::VoltageHelpWindow</name>
    <message>
        <source>BDX4 AN%1 Help </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Setting up Analog Band Voltages...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Consult the manufacturer of your transceiver for the Band Voltage table.  Alternatively, you could measure the voltages with a DMM.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analog Voltage table %1 can range in value from 0 to %2 Volts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>If a Band for your transceiver doesn&apos;t list a voltage, set the control to 0.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Voltage input for %1 is pin %2 of J1/J2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>bdx4::VoltageWindow</name>
    <message>
        <source>Analog Voltage Table AN%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Analog Voltage AN%1 range is 0 to %2 volts.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Either type in the voltage here, or use the slider control below.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AN%1 %2 volts</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>AN%1 %2 level</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The AN%1 voltage settings could not be saved to %2.<byte value="xd"/>
<byte value="xd"/>
%3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The AN%1 Voltage Settings have changed.  Do you want to save these settings?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>bdx4::ctl::CommandRunner</name>
    <message>
        <source>bdx4ctl: %1; open the maps in bdx4config and save them again, or give another --store</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing was sent to the box</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nothing was written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stores in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> (shown as far as it was read)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Write Bandmap to File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The file &quot;%1&quot; could not be written:<byte value="xd"/>
%2<byte value="xd"/>
<byte value="xd"/>
Nothing was saved; any earlier file of that name is unchanged.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bdx4ctl: --trace: &quot;%1&quot; cannot be written: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bdx4ctl: the remembered speed &quot;%1&quot; is none of the box&apos;s; using 4800 baud</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Port %1 at %2 baud</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Error Opening COM%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Seeking BDX4 ...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BDX4 Connected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>BDX4 Firmware = %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bdx4ctl: stopped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>MAP%1 from %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Closing</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last Send Passed!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Last Send Failed!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>bdx4ctl</name>
    <message>
        <source>show, export, query or write</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--map: &quot;%1&quot; is no map; give 1, 2 or 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--store: &quot;%1&quot; is not a folder; give the folder that holds bdx4_cfg.ini and bdx4_bv.ini</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--port: &quot;%1&quot; is neither a port number from 1 to 16 nor a device path (such as /dev/ttyUSB0)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--baud: &quot;%1&quot; is not a speed of the box; give 4800, 9600, 19200 or 38400</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--trace: give the file to record the conversation in</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no command given; use %1 (see bdx4ctl --help)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; is no command; use %2 (see bdx4ctl --help)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 takes no option &quot;%2&quot;; its options are %3 and --help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 needs a value</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 takes no option &quot;--%2&quot;; its options are %3 and --help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>export needs the FILE to write: bdx4ctl export [--map N] FILE</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>export: the FILE name is empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 takes no argument &quot;%2&quot; (see bdx4ctl --help)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 needs --port: a port number from 1 to 16 or a device path (such as /dev/ttyUSB0)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bdx4ctl: the BDX4 configuration from the command line, with the stores, port settings
and box conversation of bdx4config.

Usage:
  bdx4ctl show   [--map N] [--store DIR]
      Print map N (1-3, default 1) as a grid of bands by outputs, the AC1-AC3 mode
      and the three band-voltage tables in volts.
  bdx4ctl export [--map N] [--store DIR] FILE
      Write the eight lines a download of map N would send into FILE, as
      &quot;Write Bandmap to File&quot; does.
  bdx4ctl query  --port P [--baud B] [--trace FILE]
      Look for the box and print its firmware version.
  bdx4ctl write  --port P [--baud B] [--map N] [--store DIR] [--trace FILE]
      Write map N, the accessory table and the voltage tables into the box, as
      &quot;Write To BDX4&quot; does. Ctrl+C stops it; the box is told that it is over.

Options:
  --port P      a port number 1-16 as in bdx4config&apos;s COMM menu (the settings&apos;
                [Ports] section, or /dev/ttyUSB0-7, /dev/ttyACM0-3, /dev/ttyS0-3),
                or a device path such as /dev/ttyUSB0 or /dev/serial/by-id/...
  --baud B      4800, 9600, 19200 or 38400, as set by the box&apos;s jumpers
                (default: bdx4config&apos;s last speed, else 4800)
  --store DIR   the folder of bdx4_cfg.ini and bdx4_bv.ini (default: bdx4config&apos;s,
                the per-user data folder for an installed program, else the
                folder of this program when it is writable)
  --trace FILE  record every byte sent and received, with times, into FILE
  --help        print this text

Exit status: 0 done; 1 the box was not found, the port or a file failed, a record
was not acknowledged, or Ctrl+C stopped it; 2 the command line was wrong.
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bdx4ctl: running as root through sudo: using the stores in %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>, root&apos;s own; %1&apos;s are in %2 (give --store %2 to use them)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bdx4ctl: there is no %1; the default arrangement stands for MAP1 and the other maps are empty</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 could not be read whole: it ends early or holds an item that is not what belongs there</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>bdx4ctl: there is no %1; every band voltage is 0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>x on, . off, - grayed (kept, never sent as on)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ACn mode: Use AC1 - AC3 for Bandmap</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ACn mode: Use AC1 - AC3 default table</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>  (the box drives AC1-AC3 from its accessory table; the AC1-AC3 columns are not sent)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Band voltages</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(0.00: the transceiver gives no voltage on that band)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>dialogs</name>
    <message>
        <source>BDX4 Config</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
