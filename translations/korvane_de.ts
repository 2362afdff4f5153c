<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>AboutViewController</name>
    <message>
        <source>Version %1 (build %2)</source>
        <translation>Version %1 (Build %2)</translation>
    </message>
    <message>
        <source>Built with these libraries, each under its own licence:
  Qt %1 — GNU LGPL 3.0
  SQLite %2 — public domain
  libplist — GNU LGPL 2.1 or later
  libmount and libblkid (util-linux) — GNU LGPL 2.1 or later</source>
        <translation>Erstellt mit diesen Bibliotheken, jede unter ihrer eigenen Lizenz:
  Qt %1 — GNU LGPL 3.0
  SQLite %2 — gemeinfrei
  libplist — GNU LGPL 2.1 oder neuer
  libmount und libblkid (util-linux) — GNU LGPL 2.1 oder neuer</translation>
    </message>
    <message>
        <source>The update check asks this address, and only when you press the button:</source>
        <translation>Die Suche nach Updates fragt diese Adresse ab, und nur, wenn Sie auf die Schaltfläche klicken:</translation>
    </message>
    <message>
        <source>Check for updates</source>
        <translation>Nach Updates suchen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Checking…</source>
        <translation>Wird geprüft …</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
</context>
<context>
    <name>BrowserKindNames</name>
    <message>
        <source>Browsing History</source>
        <translation>Browserverlauf</translation>
    </message>
    <message>
        <source>Download History</source>
        <translation>Downloadverlauf</translation>
    </message>
    <message>
        <source>Cookies</source>
        <translation>Cookies</translation>
    </message>
    <message>
        <source>Saved Passwords</source>
        <translation>Gespeicherte Passwörter</translation>
    </message>
    <message>
        <source>Form Values</source>
        <translation>Formulardaten</translation>
    </message>
    <message>
        <source>Session</source>
        <translation>Sitzung</translation>
    </message>
    <message>
        <source>Caches</source>
        <translation>Zwischenspeicher</translation>
    </message>
</context>
<context>
    <name>CertificateSettingsForm</name>
    <message>
        <source>Organisation</source>
        <translation>Organisation</translation>
    </message>
    <message>
        <source>Where erasures are done</source>
        <translation>Wo gelöscht wird</translation>
    </message>
    <message>
        <source>Who erases</source>
        <translation>Wer löscht</translation>
    </message>
    <message>
        <source>Who checks the erasure</source>
        <translation>Wer die Löschung prüft</translation>
    </message>
    <message>
        <source>Erasure certificates name</source>
        <translation>Löschzertifikate nennen</translation>
    </message>
    <message>
        <source>Location</source>
        <translation>Standort</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Bearbeiter</translation>
    </message>
    <message>
        <source>Validator</source>
        <translation>Prüfer</translation>
    </message>
</context>
<context>
    <name>CleanerInterEndViewController</name>
    <message>
        <source>Cleaning finished</source>
        <translation>Bereinigung abgeschlossen</translation>
    </message>
    <message>
        <source>Some data was not removed</source>
        <translation>Einige Daten wurden nicht entfernt</translation>
    </message>
    <message numerus="yes">
        <source>%n kind(s) of data removed.</source>
        <translation>
            <numerusform>Eine Datenart entfernt.</numerusform>
            <numerusform>%n Datenarten entfernt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n kind(s) could not be removed completely and keep their count.</source>
        <translation>
            <numerusform>Eine Datenart konnte nicht vollständig entfernt werden und behält ihre Anzahl.</numerusform>
            <numerusform>%n Datenarten konnten nicht vollständig entfernt werden und behalten ihre Anzahl.</numerusform>
        </translation>
    </message>
    <message>
        <source>Left alone because they are running: %1.</source>
        <translation>Nicht bereinigt, weil sie laufen: %1.</translation>
    </message>
    <message>
        <source>Not removed:</source>
        <translation>Nicht entfernt:</translation>
    </message>
    <message>
        <source>Not followed, left as they are:</source>
        <translation>Nicht verfolgt, unverändert gelassen:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CloseBrowerViewController</name>
    <message>
        <source>Close the browsers first</source>
        <translation>Schließen Sie zuerst die Browser</translation>
    </message>
    <message>
        <source>These browsers are running. Their data cannot be removed while they use it, and they would write it again. Close them now? Unsaved work in them is lost.</source>
        <translation>Diese Browser laufen. Ihre Daten können nicht entfernt werden, solange sie sie benutzen, und sie würden sie erneut schreiben. Jetzt schließen? Nicht gespeicherte Arbeit in ihnen geht verloren.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Close and clean</source>
        <translation>Schließen und bereinigen</translation>
    </message>
</context>
<context>
    <name>CookieKeepListViewController</name>
    <message>
        <source>Cookies to keep</source>
        <translation>Zu behaltende Cookies</translation>
    </message>
    <message>
        <source>The cleaner leaves the cookies of these sites and of their subdomains in place, so that you stay signed in to them. All other cookies are removed.</source>
        <translation>Die Bereinigung lässt die Cookies dieser Websites und ihrer Subdomains stehen, damit Sie dort angemeldet bleiben. Alle anderen Cookies werden entfernt.</translation>
    </message>
    <message>
        <source>example.com</source>
        <translation>beispiel.de</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Not a site name: %1. Type a domain such as example.com.</source>
        <translation>Kein Website-Name: %1. Geben Sie eine Domain wie beispiel.de ein.</translation>
    </message>
    <message>
        <source>The list could not be saved: the settings store cannot be written.</source>
        <translation>Die Liste konnte nicht gesichert werden: Der Einstellungsspeicher ist nicht beschreibbar.</translation>
    </message>
</context>
<context>
    <name>DiskCopySummary</name>
    <message>
        <source>nothing copied</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 copied%2 (%3)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> and verified</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 not copied (%2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 skipped</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancelled: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of this copy could not be removed: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No partial file was left.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removed %1 that this copy had made and left empty.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Removed %1 (%2) that a stopped copy had left.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 that a stopped copy had left could not be removed: %2: %3.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 of another copy still running were left to it.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>DiskCopyViewController</name>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Auswählen …</translation>
    </message>
    <message>
        <source>From:</source>
        <translation>Von:</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>To folder:</source>
        <translation>In Ordner:</translation>
    </message>
    <message>
        <source>Verify: read every copy back from the disk and compare it</source>
        <translation>Prüfen: jede Kopie vom Datenträger zurücklesen und vergleichen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>%1 is not a folder.</source>
        <translation>%1 ist kein Ordner.</translation>
    </message>
    <message>
        <source>Cancel Copy</source>
        <translation>Kopieren abbrechen</translation>
    </message>
    <message>
        <source>Skip</source>
        <translation>Überspringen</translation>
    </message>
    <message>
        <source>Keep both</source>
        <translation>Beide behalten</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Ersetzen</translation>
    </message>
    <message>
        <source>This file is already there</source>
        <translation>Diese Datei ist bereits vorhanden</translation>
    </message>
    <message>
        <source>%1 exists. Replace it with the copy, keep both (the copy gets a new name), or skip this file?</source>
        <translation>%1 ist bereits vorhanden. Durch die Kopie ersetzen, beide behalten (die Kopie erhält einen neuen Namen) oder diese Datei überspringen?</translation>
    </message>
    <message>
        <source>Do the same for every other file already there</source>
        <translation>Für alle weiteren vorhandenen Dateien ebenso verfahren</translation>
    </message>
    <message>
        <source>Tick what to copy.</source>
        <translation>Markieren Sie, was kopiert werden soll.</translation>
    </message>
    <message>
        <source>Choose the folder to copy to.</source>
        <translation>Wählen Sie den Zielordner.</translation>
    </message>
    <message>
        <source>Checking the free space…</source>
        <translation>Freier Speicher wird geprüft …</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>Stopping: the partial files and the empty folders this copy made are removed…</source>
        <translation>Wird angehalten: Die unvollständigen Dateien und leeren Ordner dieser Kopie werden entfernt …</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>%1 s left</source>
        <translation>noch %1 s</translation>
    </message>
    <message>
        <source>Nothing was copied: %1.</source>
        <translation>Nichts wurde kopiert: %1.</translation>
    </message>
</context>
<context>
    <name>DiskFormatViewController</name>
    <message>
        <source>Disk Format</source>
        <translation>Formatieren</translation>
    </message>
    <message>
        <source>Give a volume, a partition or a whole disk a new, empty file system</source>
        <translation>Ein Volume, eine Partition oder ein ganzes Laufwerk mit einem neuen, leeren Dateisystem versehen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Device</source>
        <translation>Gerät</translation>
    </message>
    <message>
        <source>Mounted at</source>
        <translation>Eingehängt unter</translation>
    </message>
    <message>
        <source>GPT</source>
        <translation>GPT</translation>
    </message>
    <message>
        <source>MBR (DOS)</source>
        <translation>MBR (DOS)</translation>
    </message>
    <message>
        <source>The partition table a whole disk gets</source>
        <translation>Die Partitionstabelle, die ein ganzes Laufwerk erhält</translation>
    </message>
    <message>
        <source>File system:</source>
        <translation>Dateisystem:</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Partition table:</source>
        <translation>Partitionstabelle:</translation>
    </message>
    <message>
        <source>Looking for disks and volumes…</source>
        <translation>Laufwerke und Volumes werden gesucht …</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Formatieren</translation>
    </message>
    <message>
        <source>Whole disk %1</source>
        <translation>Ganzes Laufwerk %1</translation>
    </message>
    <message>
        <source>blank</source>
        <translation>leer</translation>
    </message>
    <message>
        <source>no file system</source>
        <translation>kein Dateisystem</translation>
    </message>
    <message>
        <source>not mounted</source>
        <translation>nicht eingehängt</translation>
    </message>
    <message>
        <source>No disks or volumes were found.</source>
        <translation>Es wurden keine Laufwerke oder Volumes gefunden.</translation>
    </message>
    <message>
        <source>You have selected: %1</source>
        <translation>Ihre Auswahl: %1</translation>
    </message>
    <message>
        <source>No file-system tools are installed.</source>
        <translation>Es sind keine Dateisystem-Werkzeuge installiert.</translation>
    </message>
    <message>
        <source>The volume will be named %1.</source>
        <translation>Das Volume erhält den Namen %1.</translation>
    </message>
    <message>
        <source>%1 holds the running system and cannot be formatted.</source>
        <translation>%1 enthält das laufende System und kann nicht formatiert werden.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>The volume was not formatted</source>
        <translation>Das Volume wurde nicht formatiert</translation>
    </message>
    <message>
        <source>%1 (%2, %3) is a %4 volume named &quot;%5&quot; holding %6. Everything on it is lost: it becomes an empty %7 volume named &quot;%8&quot;. This cannot be undone.</source>
        <translation>%1 (%2, %3) ist ein %4-Volume namens „%5“ mit %6 Inhalt. Alles darauf geht verloren: Es wird ein leeres %7-Volume namens „%8“. Dies kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>%1 The new file system is an empty %2 volume named &quot;%3&quot; (%4). This cannot be undone.</source>
        <translation>%1 Das neue Dateisystem ist ein leeres %2-Volume namens „%3“ (%4). Dies kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>Format %1?</source>
        <translation>%1 formatieren?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Formatting %1…</source>
        <translation>%1 wird formatiert …</translation>
    </message>
    <message>
        <source>Making a new %1 file system on %2.</source>
        <translation>Ein neues %1-Dateisystem wird auf %2 angelegt.</translation>
    </message>
    <message>
        <source>Formatted</source>
        <translation>Formatiert</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
</context>
<context>
    <name>DiskToolViewController</name>
    <message>
        <source>Disk Tool</source>
        <translation>Datenträgerwerkzeug</translation>
    </message>
    <message>
        <source>Disks and their volumes: rename, mount, unmount, eject</source>
        <translation>Laufwerke und ihre Volumes: umbenennen, einhängen, aushängen, auswerfen</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>File system</source>
        <translation>Dateisystem</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Mounted at</source>
        <translation>Eingehängt unter</translation>
    </message>
    <message>
        <source>Connection</source>
        <translation>Anschluss</translation>
    </message>
    <message>
        <source>Looking for disks…</source>
        <translation>Laufwerke werden gesucht …</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Rename…</source>
        <translation>Umbenennen …</translation>
    </message>
    <message>
        <source>Unmount</source>
        <translation>Aushängen</translation>
    </message>
    <message>
        <source>Eject</source>
        <translation>Auswerfen</translation>
    </message>
    <message>
        <source>Copy…</source>
        <translation>Kopieren …</translation>
    </message>
    <message>
        <source>%1, removable</source>
        <translation>%1, wechselbar</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>not mounted</source>
        <translation>nicht eingehängt</translation>
    </message>
    <message>
        <source>No disks were found.</source>
        <translation>Es wurden keine Laufwerke gefunden.</translation>
    </message>
    <message>
        <source>Mount</source>
        <translation>Einhängen</translation>
    </message>
    <message>
        <source>Nothing was changed.</source>
        <translation>Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>Renaming %1…</source>
        <translation>%1 wird umbenannt …</translation>
    </message>
    <message>
        <source>Mounting %1…</source>
        <translation>%1 wird eingehängt …</translation>
    </message>
    <message>
        <source>%1 is mounted at %2.</source>
        <translation>%1 ist unter %2 eingehängt.</translation>
    </message>
    <message>
        <source>Unmounting %1…</source>
        <translation>%1 wird ausgehängt …</translation>
    </message>
    <message>
        <source>Ejecting %1…</source>
        <translation>%1 wird ausgeworfen …</translation>
    </message>
    <message>
        <source>%1 may be unplugged now.</source>
        <translation>%1 kann jetzt abgezogen werden.</translation>
    </message>
    <message>
        <source>Rename %1</source>
        <translation>%1 umbenennen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Rename</source>
        <translation>Umbenennen</translation>
    </message>
</context>
<context>
    <name>DragView</name>
    <message>
        <source>Drop files and folders here</source>
        <translation>Dateien und Ordner hierher ziehen</translation>
    </message>
    <message>
        <source>They are listed first, so you can check them before anything is erased.
Erased items are overwritten and cannot be recovered.</source>
        <translation>Sie werden zuerst aufgelistet, damit Sie sie prüfen können, bevor etwas gelöscht wird.
Gelöschte Objekte werden überschrieben und können nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>Add Files and Folders…</source>
        <translation>Dateien und Ordner hinzufügen …</translation>
    </message>
</context>
<context>
    <name>DriveListView</name>
    <message>
        <source>Drive or partition</source>
        <translation>Laufwerk oder Partition</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Bus / mounted at</source>
        <translation>Bus / eingehängt unter</translation>
    </message>
    <message>
        <source>Serial number</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>Solid state</source>
        <translation>SSD</translation>
    </message>
    <message>
        <source>Rotating</source>
        <translation>Festplatte</translation>
    </message>
    <message>
        <source>%1
sectors: %2 bytes logical, %3 bytes physical</source>
        <translation>%1
Sektoren: %2 Byte logisch, %3 Byte physisch</translation>
    </message>
    <message>
        <source>no file system</source>
        <translation>kein Dateisystem</translation>
    </message>
    <message>
        <source>not mounted</source>
        <translation>nicht eingehängt</translation>
    </message>
</context>
<context>
    <name>DuplicateDeleteProgressViewController</name>
    <message>
        <source>Removing copies</source>
        <translation>Kopien werden entfernt</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Copies removed</source>
        <translation>Kopien entfernt</translation>
    </message>
    <message>
        <source>Some copies stayed</source>
        <translation>Einige Kopien sind geblieben</translation>
    </message>
    <message>
        <source>moved to the Trash</source>
        <translation>in den Papierkorb verschoben</translation>
    </message>
    <message>
        <source>deleted</source>
        <translation>gelöscht</translation>
    </message>
    <message>
        <source>erased securely</source>
        <translation>sicher gelöscht</translation>
    </message>
    <message>
        <source>%1 %2, %3 freed</source>
        <translation>%1 %2, %3 freigegeben</translation>
    </message>
    <message>
        <source> once the Trash is emptied</source>
        <translation>, sobald der Papierkorb geleert ist</translation>
    </message>
    <message>
        <source>The removal was stopped.</source>
        <translation>Das Entfernen wurde angehalten.</translation>
    </message>
    <message>
        <source>%1 not removed:</source>
        <translation>%1 nicht entfernt:</translation>
    </message>
    <message numerus="yes">
        <source>%n copies</source>
        <translation>
            <numerusform>%n Kopie</numerusform>
            <numerusform>%n Kopien</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DuplicateResultView</name>
    <message>
        <source>Hard link of %1</source>
        <translation>Harter Link auf %1</translation>
    </message>
    <message>
        <source>Shares its data with %1</source>
        <translation>Teilt seine Daten mit %1</translation>
    </message>
    <message>
        <source>The same file as %1</source>
        <translation>Dieselbe Datei wie %1</translation>
    </message>
    <message>
        <source>Duplicates</source>
        <translation>Duplikate</translation>
    </message>
    <message>
        <source>New search</source>
        <translation>Neue Suche</translation>
    </message>
    <message>
        <source>Keep newest</source>
        <translation>Neueste behalten</translation>
    </message>
    <message>
        <source>Keep oldest</source>
        <translation>Älteste behalten</translation>
    </message>
    <message>
        <source>Keep the one in folder…</source>
        <translation>Die im Ordner behalten …</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Remove by</source>
        <translation>Entfernen durch</translation>
    </message>
    <message>
        <source>Moving to the Trash</source>
        <translation>Verschieben in den Papierkorb</translation>
    </message>
    <message>
        <source>Deleting</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Erasing securely</source>
        <translation>Sicheres Löschen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>%1 wasted</source>
        <translation>%1 verschwendet</translation>
    </message>
    <message>
        <source>: removing it frees nothing</source>
        <translation>: Entfernen gibt keinen Speicher frei</translation>
    </message>
    <message>
        <source>Bundle: listed only</source>
        <translation>Paket: nur aufgelistet</translation>
    </message>
    <message>
        <source>No duplicates found in %1.</source>
        <translation>Keine Duplikate in %1 gefunden.</translation>
    </message>
    <message>
        <source>In %1: %2 of identical files (%3), %4 wasted; %5 of identical application bundles, %6 wasted.</source>
        <translation>In %1: %2 identischer Dateien (%3), %4 verschwendet; %5 identischer Programmpakete, %6 verschwendet.</translation>
    </message>
    <message>
        <source>The search was stopped: these are only the duplicates found until then.</source>
        <translation>Die Suche wurde angehalten: Dies sind nur die bis dahin gefundenen Duplikate.</translation>
    </message>
    <message>
        <source>%1 shares its storage with a copy that is kept: removing it would free nothing.</source>
        <translation>%1 teilt seinen Speicher mit einer behaltenen Kopie: Entfernen würde nichts freigeben.</translation>
    </message>
    <message>
        <source>Every group keeps at least one copy: untick another copy of %1 first.</source>
        <translation>Jede Gruppe behält mindestens eine Kopie: Entfernen Sie zuerst das Häkchen bei einer anderen Kopie von %1.</translation>
    </message>
    <message>
        <source>Keep the copies in this folder</source>
        <translation>Die Kopien in diesem Ordner behalten</translation>
    </message>
    <message>
        <source>%1 without a copy in %2: left as chosen before.</source>
        <translation>%1 ohne Kopie in %2: wie zuvor gewählt belassen.</translation>
    </message>
    <message>
        <source>No copies chosen</source>
        <translation>Keine Kopien gewählt</translation>
    </message>
    <message>
        <source>%1 chosen, %2 to free</source>
        <translation>%1 gewählt, %2 freizugeben</translation>
    </message>
    <message numerus="yes">
        <source>%n groups</source>
        <translation>
            <numerusform>%n Gruppe</numerusform>
            <numerusform>%n Gruppen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n copies</source>
        <translation>
            <numerusform>%n Kopie</numerusform>
            <numerusform>%n Kopien</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n copies of %1</source>
        <translation>
            <numerusform>Eine Kopie von %1</numerusform>
            <numerusform>%n Kopien von %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n identical bundles of %1</source>
        <translation>
            <numerusform>Ein identisches Paket von %1</numerusform>
            <numerusform>%n identische Pakete von %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>DuplicateSearchView</name>
    <message>
        <source>Searching for duplicates</source>
        <translation>Duplikate werden gesucht</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>In %1</source>
        <translation>In %1</translation>
    </message>
    <message>
        <source>Collecting files…</source>
        <translation>Dateien werden gesammelt …</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>Wird angehalten …</translation>
    </message>
</context>
<context>
    <name>DuplicateStartView</name>
    <message>
        <source>Duplicate Finder</source>
        <translation>Duplikatsuche</translation>
    </message>
    <message>
        <source>Find files and application bundles of identical content, and free the space their extra copies take</source>
        <translation>Dateien und Programmpakete mit identischem Inhalt finden und den Speicher ihrer überzähligen Kopien freigeben</translation>
    </message>
    <message>
        <source>Folder to search</source>
        <translation>Zu durchsuchender Ordner</translation>
    </message>
    <message>
        <source>/home/you/Pictures</source>
        <translation>/home/sie/Bilder</translation>
    </message>
    <message>
        <source>Choose…</source>
        <translation>Auswählen …</translation>
    </message>
    <message>
        <source>Search hidden files and folders too</source>
        <translation>Auch versteckte Dateien und Ordner durchsuchen</translation>
    </message>
    <message>
        <source>Search the system folders too (when the folder is /)</source>
        <translation>Auch die Systemordner durchsuchen (wenn der Ordner / ist)</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Starten</translation>
    </message>
    <message>
        <source>Nothing is changed while searching. Other names of one file and copies that share their data are shown as such: removing them frees nothing.</source>
        <translation>Beim Suchen wird nichts verändert. Weitere Namen derselben Datei und Kopien, die ihre Daten teilen, werden als solche gezeigt: Sie zu entfernen gibt nichts frei.</translation>
    </message>
    <message>
        <source>Choose the folder to search</source>
        <translation>Zu durchsuchenden Ordner wählen</translation>
    </message>
    <message>
        <source>Choose a folder to search.</source>
        <translation>Wählen Sie einen Ordner zum Durchsuchen.</translation>
    </message>
    <message>
        <source>Give the folder&apos;s full path, starting with /.</source>
        <translation>Geben Sie den vollständigen Pfad des Ordners an, beginnend mit /.</translation>
    </message>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 existiert nicht.</translation>
    </message>
    <message>
        <source>%1 is not a folder.</source>
        <translation>%1 ist kein Ordner.</translation>
    </message>
    <message>
        <source>%1 cannot be read with the rights the program has.</source>
        <translation>%1 kann mit den Rechten des Programms nicht gelesen werden.</translation>
    </message>
</context>
<context>
    <name>DuplicateViewController</name>
    <message>
        <source>Collecting files…</source>
        <translation>Dateien werden gesammelt …</translation>
    </message>
    <message>
        <source>Comparing application bundles…</source>
        <translation>Programmpakete werden verglichen …</translation>
    </message>
    <message>
        <source>Comparing files…</source>
        <translation>Dateien werden verglichen …</translation>
    </message>
</context>
<context>
    <name>EraserWC</name>
    <message>
        <source>Erase with Korvane Data Eraser</source>
        <translation>Mit Korvane Data Eraser löschen</translation>
    </message>
    <message>
        <source>Erasing…</source>
        <translation>Wird gelöscht …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Erase this?</source>
        <translation>Dies löschen?</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Nothing was erased.</source>
        <translation>Es wurde nichts gelöscht.</translation>
    </message>
    <message>
        <source>Erase it anyway?</source>
        <translation>Trotzdem löschen?</translation>
    </message>
    <message>
        <source>Erase Anyway</source>
        <translation>Trotzdem löschen</translation>
    </message>
    <message>
        <source>Preparing…</source>
        <translation>Wird vorbereitet …</translation>
    </message>
    <message>
        <source>The erasure was cancelled. Nothing was erased.</source>
        <translation>Das Löschen wurde abgebrochen. Es wurde nichts gelöscht.</translation>
    </message>
    <message>
        <source>%1 could not be found, so nothing was erased.</source>
        <translation>%1 wurde nicht gefunden, daher wurde nichts gelöscht.</translation>
    </message>
    <message numerus="yes">
        <source>%1 will be overwritten with %2 (%n pass(es)) and removed, with everything in it. This cannot be undone.</source>
        <translation>
            <numerusform>%1 wird mit %2 (ein Durchgang) überschrieben und mit allem Inhalt entfernt. Dies kann nicht rückgängig gemacht werden.</numerusform>
            <numerusform>%1 wird mit %2 (%n Durchgänge) überschrieben und mit allem Inhalt entfernt. Dies kann nicht rückgängig gemacht werden.</numerusform>
        </translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Wird abgebrochen …</translation>
    </message>
    <message>
        <source>%1 was erased.</source>
        <translation>%1 wurde gelöscht.</translation>
    </message>
    <message>
        <source>Earlier copies may remain on this copy-on-write volume: wipe its free space as well.</source>
        <translation>Frühere Kopien können auf diesem Copy-on-Write-Volume verbleiben: Löschen Sie auch seinen freien Speicher.</translation>
    </message>
    <message>
        <source>%1 could not be erased completely; what is left is still on the disk.</source>
        <translation>%1 konnte nicht vollständig gelöscht werden; der Rest befindet sich noch auf dem Datenträger.</translation>
    </message>
    <message>
        <source>The erasure was cancelled.</source>
        <translation>Das Löschen wurde abgebrochen.</translation>
    </message>
    <message>
        <source>Erasure complete</source>
        <translation>Löschen abgeschlossen</translation>
    </message>
    <message>
        <source>Erasure failed</source>
        <translation>Löschen fehlgeschlagen</translation>
    </message>
    <message numerus="yes">
        <source>Looking through it: %Ln items found</source>
        <translation>
            <numerusform>Wird durchsucht: ein Objekt gefunden</numerusform>
            <numerusform>Wird durchsucht: %Ln Objekte gefunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n items</source>
        <translation>
            <numerusform>%1 von einem Objekt</numerusform>
            <numerusform>%1 von %n Objekten</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ExportViewController</name>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Export finished</source>
        <translation>Export abgeschlossen</translation>
    </message>
    <message>
        <source>Export failed</source>
        <translation>Export fehlgeschlagen</translation>
    </message>
    <message>
        <source>The erasure history was saved to
%1</source>
        <translation>Der Löschverlauf wurde gesichert unter
%1</translation>
    </message>
    <message>
        <source>The erasure history could not be saved to
%1
%2</source>
        <translation>Der Löschverlauf konnte nicht gesichert werden unter
%1
%2</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>FileEraserFailViewController</name>
    <message>
        <source>Erasure Not Complete</source>
        <translation>Löschen nicht vollständig</translation>
    </message>
    <message>
        <source>Some items were not erased</source>
        <translation>Einige Objekte wurden nicht gelöscht</translation>
    </message>
    <message>
        <source>The selected items are gone, but some of what they held could not be overwritten.</source>
        <translation>Die ausgewählten Objekte sind entfernt, aber ein Teil ihres Inhalts konnte nicht überschrieben werden.</translation>
    </message>
    <message>
        <source>The erasure was cancelled: the file under way was finished to the end of its pass and removed, files not reached were left untouched. What is still on the disk stays in the list, so that you can erase it again.</source>
        <translation>Das Löschen wurde abgebrochen: Die laufende Datei wurde bis zum Ende ihres Durchgangs bearbeitet und entfernt, nicht erreichte Dateien blieben unberührt. Was noch auf dem Datenträger ist, bleibt in der Liste, damit Sie es erneut löschen können.</translation>
    </message>
    <message>
        <source>Each item is recorded in the history with what was done to it.</source>
        <translation>Jedes Objekt wird mit dem, was mit ihm geschah, im Verlauf festgehalten.</translation>
    </message>
    <message>
        <source>Each item is recorded in the history as Erased or Failed.</source>
        <translation>Jedes Objekt wird im Verlauf als „Gelöscht“ oder „Fehlgeschlagen“ festgehalten.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n items could not be erased completely and are still on the disk:</source>
        <translation>
            <numerusform>%1 von einem Objekt konnte nicht vollständig gelöscht werden und ist noch auf dem Datenträger:</numerusform>
            <numerusform>%1 von %n Objekten konnten nicht vollständig gelöscht werden und sind noch auf dem Datenträger:</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FileEraserListView</name>
    <message>
        <source>Select All</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Sortieren</translation>
    </message>
    <message>
        <source>Add…</source>
        <translation>Hinzufügen …</translation>
    </message>
    <message>
        <source>Empty List</source>
        <translation>Liste leeren</translation>
    </message>
    <message>
        <source>Erase Now</source>
        <translation>Jetzt löschen</translation>
    </message>
    <message>
        <source>Drop more files here to add them.</source>
        <translation>Ziehen Sie weitere Dateien hierher, um sie hinzuzufügen.</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n items selected</source>
        <translation>
            <numerusform>%1 von einem Objekt ausgewählt</numerusform>
            <numerusform>%1 von %n Objekten ausgewählt</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FileEraserNtfsNotice</name>
    <message>
        <source>NTFS Volume</source>
        <translation>NTFS-Volume</translation>
    </message>
    <message>
        <source>Items on NTFS volumes cannot be added</source>
        <translation>Objekte auf NTFS-Volumes können nicht hinzugefügt werden</translation>
    </message>
    <message>
        <source>Files on NTFS volumes cannot be overwritten reliably by this program, so they were not added to the list and nothing on that volume was changed.</source>
        <translation>Dateien auf NTFS-Volumes kann dieses Programm nicht zuverlässig überschreiben; sie wurden daher nicht zur Liste hinzugefügt, und auf dem Volume wurde nichts verändert.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>FileEraserProgressViewController</name>
    <message>
        <source>Erasing Files</source>
        <translation>Dateien werden gelöscht</translation>
    </message>
    <message>
        <source>Erasing files…</source>
        <translation>Dateien werden gelöscht …</translation>
    </message>
    <message>
        <source>Standard: %1. Please keep the window open until it has finished.</source>
        <translation>Standard: %1. Bitte lassen Sie das Fenster geöffnet, bis der Vorgang beendet ist.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Preparing…</source>
        <translation>Wird vorbereitet …</translation>
    </message>
    <message>
        <source>Cancelling…</source>
        <translation>Wird abgebrochen …</translation>
    </message>
    <message numerus="yes">
        <source>Looking through the selection: %Ln items found</source>
        <translation>
            <numerusform>Auswahl wird durchsucht: ein Objekt gefunden</numerusform>
            <numerusform>Auswahl wird durchsucht: %Ln Objekte gefunden</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n items</source>
        <translation>
            <numerusform>%1 von einem Objekt</numerusform>
            <numerusform>%1 von %n Objekten</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FileEraserRowActions</name>
    <message>
        <source>Cannot open folder</source>
        <translation>Ordner kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>Cannot open file</source>
        <translation>Datei kann nicht geöffnet werden</translation>
    </message>
</context>
<context>
    <name>FileEraserSortVC</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Ascending</source>
        <translation>Aufsteigend</translation>
    </message>
    <message>
        <source>Descending</source>
        <translation>Absteigend</translation>
    </message>
    <message>
        <source>Sort by</source>
        <translation>Sortieren nach</translation>
    </message>
    <message>
        <source>Order</source>
        <translation>Reihenfolge</translation>
    </message>
</context>
<context>
    <name>FileEraserSuccessViewController</name>
    <message>
        <source>Erasure Complete</source>
        <translation>Löschen abgeschlossen</translation>
    </message>
    <message>
        <source>Erasure complete</source>
        <translation>Löschen abgeschlossen</translation>
    </message>
    <message>
        <source>The item was overwritten and removed. It cannot be recovered.</source>
        <translation>Das Objekt wurde überschrieben und entfernt. Es kann nicht wiederhergestellt werden.</translation>
    </message>
    <message>
        <source>The erasure is recorded in the history.</source>
        <translation>Das Löschen ist im Verlauf festgehalten.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Erase the free space of this volume now</source>
        <translation>Jetzt den freien Speicher dieses Volumes löschen</translation>
    </message>
    <message numerus="yes">
        <source>All %n items were overwritten and removed. They cannot be recovered.</source>
        <translation>
            <numerusform>Das Objekt wurde überschrieben und entfernt. Es kann nicht wiederhergestellt werden.</numerusform>
            <numerusform>Alle %n Objekte wurden überschrieben und entfernt. Sie können nicht wiederhergestellt werden.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>FileEraserTableModel</name>
    <message>
        <source>Selected</source>
        <translation>Ausgewählt</translation>
    </message>
    <message>
        <source>Not selected</source>
        <translation>Nicht ausgewählt</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Pfad</translation>
    </message>
</context>
<context>
    <name>FileEraserViewController</name>
    <message>
        <source>Erase Files</source>
        <translation>Dateien löschen</translation>
    </message>
    <message>
        <source>Erasure standard</source>
        <translation>Löschstandard</translation>
    </message>
    <message>
        <source>Erasure history</source>
        <translation>Löschverlauf</translation>
    </message>
    <message>
        <source>Not added</source>
        <translation>Nicht hinzugefügt</translation>
    </message>
    <message>
        <source>Some items were not added</source>
        <translation>Einige Objekte wurden nicht hinzugefügt</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Reveal in Folder</source>
        <translation>Im Ordner zeigen</translation>
    </message>
    <message>
        <source>%1 is no longer there. It may have been moved, renamed or erased.</source>
        <translation>%1 ist nicht mehr vorhanden. Es wurde vielleicht verschoben, umbenannt oder gelöscht.</translation>
    </message>
    <message>
        <source>Standard: %1</source>
        <translation>Standard: %1</translation>
    </message>
    <message>
        <source>Cannot erase</source>
        <translation>Löschen nicht möglich</translation>
    </message>
    <message>
        <source>The erasure tool cannot be used: %1. Nothing was erased; reinstalling the program restores the tool.</source>
        <translation>Das Löschwerkzeug kann nicht verwendet werden: %1. Es wurde nichts gelöscht; eine Neuinstallation des Programms stellt das Werkzeug wieder her.</translation>
    </message>
    <message>
        <source>Nothing to erase</source>
        <translation>Nichts zu löschen</translation>
    </message>
    <message>
        <source>Nothing can be erased</source>
        <translation>Nichts kann gelöscht werden</translation>
    </message>
    <message>
        <source>Left out, and not erased: %1.</source>
        <translation>Ausgelassen und nicht gelöscht: %1.</translation>
    </message>
    <message>
        <source>Earlier copies may remain on the copy-on-write volume of %1: wipe its free space as well (Erase Free Space) to remove them.</source>
        <translation>Frühere Kopien können auf dem Copy-on-Write-Volume von %1 verbleiben: Löschen Sie auch seinen freien Speicher („Freien Speicher löschen“), um sie zu entfernen.</translation>
    </message>
    <message>
        <source>The erasure could not be recorded in the history: %1.</source>
        <translation>Das Löschen konnte nicht im Verlauf festgehalten werden: %1.</translation>
    </message>
</context>
<context>
    <name>FullDiskAccessViewController</name>
    <message>
        <source>The browser data cannot be read</source>
        <translation>Die Browserdaten können nicht gelesen werden</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>HistoryEntrySummary</name>
    <message>
        <source>Uninstaller</source>
        <translation type="unfinished">Deinstallation</translation>
    </message>
    <message>
        <source>Duplicate Finder</source>
        <translation type="unfinished">Duplikatsuche</translation>
    </message>
    <message>
        <source>Erase Free Space</source>
        <translation type="unfinished">Freien Speicher löschen</translation>
    </message>
    <message>
        <source>Erase Hard Drive</source>
        <translation type="unfinished">Laufwerk löschen</translation>
    </message>
    <message>
        <source>Erase Files</source>
        <translation type="unfinished">Dateien löschen</translation>
    </message>
    <message>
        <source>Erased</source>
        <translation type="unfinished">Gelöscht</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation type="unfinished">Fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1 of %n failed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%n item(s)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>HistoryViewController</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Repair…</source>
        <translation>Reparieren …</translation>
    </message>
    <message>
        <source>Try Again</source>
        <translation>Erneut versuchen</translation>
    </message>
    <message>
        <source>Empty All</source>
        <translation>Alles leeren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Erasure History</source>
        <translation>Löschverlauf</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>There is no erasure history.</source>
        <translation>Es gibt keinen Löschverlauf.</translation>
    </message>
    <message>
        <source>%1 is locked by another program</source>
        <translation>%1 ist von einem anderen Programm gesperrt</translation>
    </message>
    <message>
        <source>%1 is damaged</source>
        <translation>%1 ist beschädigt</translation>
    </message>
    <message>
        <source>no history database was found</source>
        <translation>es wurde keine Verlaufsdatenbank gefunden</translation>
    </message>
    <message>
        <source>%1 cannot be opened</source>
        <translation>%1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>%1 could not be used</source>
        <translation>%1 konnte nicht verwendet werden</translation>
    </message>
    <message>
        <source>The erasure history cannot be read: %1.</source>
        <translation>Der Löschverlauf kann nicht gelesen werden: %1.</translation>
    </message>
    <message>
        <source>Repair keeps the damaged file aside and starts a new, empty history.</source>
        <translation>Beim Reparieren wird die beschädigte Datei beiseitegelegt und ein neuer, leerer Verlauf begonnen.</translation>
    </message>
    <message>
        <source>Try again once the other program has finished with it.</source>
        <translation>Versuchen Sie es erneut, wenn das andere Programm damit fertig ist.</translation>
    </message>
    <message>
        <source>Repair the erasure history?</source>
        <translation>Löschverlauf reparieren?</translation>
    </message>
    <message>
        <source>Repair</source>
        <translation>Reparieren</translation>
    </message>
    <message>
        <source>The erasure history at
%1
is damaged (%2).

The damaged file is kept, unchanged, at
%3
and a new, empty erasure history is started. The entries in the damaged file are no longer listed here.</source>
        <translation>Der Löschverlauf unter
%1
ist beschädigt (%2).

Die beschädigte Datei wird unverändert aufbewahrt unter
%3
und ein neuer, leerer Löschverlauf wird begonnen. Die Einträge der beschädigten Datei werden hier nicht mehr aufgeführt.</translation>
    </message>
    <message>
        <source>The damaged erasure history was kept at %1. A new, empty history was started.</source>
        <translation>Der beschädigte Löschverlauf wurde unter %1 aufbewahrt. Ein neuer, leerer Verlauf wurde begonnen.</translation>
    </message>
    <message>
        <source>The erasure history was not repaired: %1.</source>
        <translation>Der Löschverlauf wurde nicht repariert: %1.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>Erasure certificate</source>
        <translation>Löschzertifikat</translation>
    </message>
    <message numerus="yes">
        <source>All %n entries of the erasure history are deleted for good, and the record of those erasures with them. What was erased stays erased.</source>
        <translation>
            <numerusform>Der eine Eintrag des Löschverlaufs wird endgültig gelöscht und mit ihm der Nachweis dieser Löschung. Was gelöscht wurde, bleibt gelöscht.</numerusform>
            <numerusform>Alle %n Einträge des Löschverlaufs werden endgültig gelöscht und mit ihnen der Nachweis dieser Löschungen. Was gelöscht wurde, bleibt gelöscht.</numerusform>
        </translation>
    </message>
    <message>
        <source>Empty the erasure history?</source>
        <translation>Löschverlauf leeren?</translation>
    </message>
    <message>
        <source>Delete All</source>
        <translation>Alle löschen</translation>
    </message>
    <message>
        <source>The erasure history could not be emptied: %1.</source>
        <translation>Der Löschverlauf konnte nicht geleert werden: %1.</translation>
    </message>
    <message>
        <source>The entry %1 could not be deleted: %2.</source>
        <translation>Der Eintrag %1 konnte nicht gelöscht werden: %2.</translation>
    </message>
    <message>
        <source>Export Erasure History</source>
        <translation>Löschverlauf exportieren</translation>
    </message>
    <message>
        <source>Web page (*.html)</source>
        <translation>Webseite (*.html)</translation>
    </message>
    <message>
        <source>Save Erasure Certificate</source>
        <translation>Löschzertifikat speichern</translation>
    </message>
    <message>
        <source>PDF document (*.pdf);;Web page (*.html);;Signed certificate (*.json)</source>
        <translation>PDF-Dokument (*.pdf);;Webseite (*.html);;Signiertes Zertifikat (*.json)</translation>
    </message>
</context>
<context>
    <name>InternetViewController</name>
    <message>
        <source>Internet Cleaner</source>
        <translation>Internet-Bereinigung</translation>
    </message>
    <message>
        <source>Remove the history, cookies, passwords and caches your browsers keep</source>
        <translation>Verlauf, Cookies, Passwörter und Zwischenspeicher Ihrer Browser entfernen</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Cookies to keep…</source>
        <translation>Zu behaltende Cookies …</translation>
    </message>
    <message>
        <source>Browsers and their data</source>
        <translation>Browser und ihre Daten</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Clean</source>
        <translation>Bereinigen</translation>
    </message>
    <message>
        <source>Not followed: %1</source>
        <translation>Nicht verfolgt: %1</translation>
    </message>
    <message>
        <source>not followed</source>
        <translation>nicht verfolgt</translation>
    </message>
    <message>
        <source>Not followed:</source>
        <translation>Nicht verfolgt:</translation>
    </message>
    <message>
        <source>Not removed: %1 was running.</source>
        <translation>Nicht entfernt: %1 lief.</translation>
    </message>
    <message>
        <source>Looking for browsers…</source>
        <translation>Browser werden gesucht …</translation>
    </message>
    <message>
        <source>No browser found</source>
        <translation>Kein Browser gefunden</translation>
    </message>
    <message numerus="yes">
        <source>%n browser(s), </source>
        <translation>
            <numerusform>%n Browser, </numerusform>
            <numerusform>%n Browser, </numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n kind(s) of data chosen</source>
        <translation>
            <numerusform>%n Datenart gewählt</numerusform>
            <numerusform>%n Datenarten gewählt</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MainWindowController</name>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Running without administrator rights: some erasures may fail.</source>
        <translation>Ohne Administratorrechte gestartet: Manche Löschungen können fehlschlagen.</translation>
    </message>
    <message>
        <source>Files, free space or volumes that only the administrator may change cannot be erased. Start the program from its loader to grant administrator rights.</source>
        <translation>Dateien, freier Speicher oder Volumes, die nur der Administrator ändern darf, können nicht gelöscht werden. Starten Sie das Programm über seinen Starter, um Administratorrechte zu gewähren.</translation>
    </message>
    <message>
        <source>An erasure is still running.</source>
        <translation>Ein Löschvorgang läuft noch.</translation>
    </message>
    <message>
        <source>Quitting now stops it, and the items not reached yet are left as they are.</source>
        <translation>Beenden hält ihn an; noch nicht erreichte Objekte bleiben, wie sie sind.</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Keep Running</source>
        <translation>Weiterlaufen lassen</translation>
    </message>
</context>
<context>
    <name>MakeSureCleanBrowsersViewController</name>
    <message>
        <source>Clean the chosen browser data?</source>
        <translation>Die gewählten Browserdaten bereinigen?</translation>
    </message>
    <message numerus="yes">
        <source>Remove %n kind(s) of browser data?</source>
        <translation>
            <numerusform>Eine Art von Browserdaten entfernen?</numerusform>
            <numerusform>%n Arten von Browserdaten entfernen?</numerusform>
        </translation>
    </message>
    <message>
        <source>Removed entries are overwritten inside their databases and removed files are overwritten before they go. This cannot be undone.</source>
        <translation>Entfernte Einträge werden in ihren Datenbanken überschrieben, und entfernte Dateien werden vor dem Entfernen überschrieben. Dies kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>The chosen kinds hold nothing at the moment.</source>
        <translation>Die gewählten Datenarten enthalten im Moment nichts.</translation>
    </message>
    <message>
        <source>The passwords saved in %1 are removed: you will have to type them again on every site, and they cannot be brought back.</source>
        <translation>Die in %1 gespeicherten Passwörter werden entfernt: Sie müssen sie auf jeder Website erneut eingeben, und sie lassen sich nicht wiederherstellen.</translation>
    </message>
    <message>
        <source>What is marked &quot;unknown&quot; could not be read (the tooltip says why). The cleaner tries it anyway; what stays is named at the end.</source>
        <translation>Was mit „unbekannt“ markiert ist, konnte nicht gelesen werden (der Tooltip nennt den Grund). Die Bereinigung versucht es trotzdem; was bleibt, wird am Ende genannt.</translation>
    </message>
    <message>
        <source>Not followed, left as they are:</source>
        <translation>Nicht verfolgt, unverändert gelassen:</translation>
    </message>
    <message>
        <source>Cookies of these sites are kept: %1.</source>
        <translation>Die Cookies dieser Websites bleiben erhalten: %1.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Clean</source>
        <translation>Bereinigen</translation>
    </message>
</context>
<context>
    <name>MakeSureDuplicateDeleteViewController</name>
    <message>
        <source>Move %1 to the Trash?</source>
        <translation>%1 in den Papierkorb verschieben?</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>In den Papierkorb</translation>
    </message>
    <message>
        <source>Delete %1?</source>
        <translation>%1 löschen?</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Erase %1 securely?</source>
        <translation>%1 sicher löschen?</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Each copy is first compared byte for byte with the copy kept in its place; a copy that differs, or changed since the search, is left alone.</source>
        <translation>Jede Kopie wird zuerst Byte für Byte mit der an ihrer Stelle behaltenen Kopie verglichen; eine Kopie, die abweicht oder sich seit der Suche geändert hat, bleibt unberührt.</translation>
    </message>
    <message>
        <source>Deleted copies do not go to the Trash and cannot be brought back.</source>
        <translation>Gelöschte Kopien kommen nicht in den Papierkorb und lassen sich nicht wiederherstellen.</translation>
    </message>
    <message>
        <source>Erased copies are overwritten before they are removed and can never be brought back.</source>
        <translation>Sicher gelöschte Kopien werden vor dem Entfernen überschrieben und lassen sich nie wiederherstellen.</translation>
    </message>
    <message>
        <source>%1
keeping %2</source>
        <translation>%1
%2 bleibt erhalten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message numerus="yes">
        <source>%n copies</source>
        <translation>
            <numerusform>%n Kopie</numerusform>
            <numerusform>%n Kopien</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MakeSureEraseProtectedViewController</name>
    <message>
        <source>Erase Files</source>
        <translation>Dateien löschen</translation>
    </message>
    <message>
        <source>Erase these folders too?</source>
        <translation>Auch diese Ordner löschen?</translation>
    </message>
    <message>
        <source>The selection holds folders that are rarely meant to be erased:</source>
        <translation>Die Auswahl enthält Ordner, die selten gelöscht werden sollen:</translation>
    </message>
    <message>
        <source>Uncheck them in the list to erase only the rest.</source>
        <translation>Entfernen Sie ihr Häkchen in der Liste, um nur den Rest zu löschen.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Erase Them Too</source>
        <translation>Auch diese löschen</translation>
    </message>
</context>
<context>
    <name>MakeSureFileEraserViewControoler</name>
    <message>
        <source>Erase Files</source>
        <translation>Dateien löschen</translation>
    </message>
    <message>
        <source>the selected item</source>
        <translation>das ausgewählte Objekt</translation>
    </message>
    <message>
        <source>Korvane Data Eraser will overwrite %1 with the standard &lt;b&gt;%2&lt;/b&gt; and then remove them. Folders are erased with everything inside them.</source>
        <translation>Korvane Data Eraser überschreibt %1 mit dem Standard &lt;b&gt;%2&lt;/b&gt; und entfernt sie dann. Ordner werden mit ihrem gesamten Inhalt gelöscht.</translation>
    </message>
    <message>
        <source>This cannot be undone: erased items cannot be recovered by any means.</source>
        <translation>Dies kann nicht rückgängig gemacht werden: Gelöschte Objekte lassen sich auf keine Weise wiederherstellen.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Löschen</translation>
    </message>
    <message numerus="yes">
        <source>the %n selected items</source>
        <translation>
            <numerusform>das ausgewählte Objekt</numerusform>
            <numerusform>die %n ausgewählten Objekte</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Erase %n items?</source>
        <translation>
            <numerusform>Ein Objekt löschen?</numerusform>
            <numerusform>%n Objekte löschen?</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MakeSureUninstallViewController</name>
    <message>
        <source>Remove these applications?</source>
        <translation>Diese Programme entfernen?</translation>
    </message>
    <message>
        <source>The selected items are removed from the disk, not moved to the Trash. Files in the Downloads folder are not selected: they are often your own.</source>
        <translation>Die ausgewählten Objekte werden vom Datenträger entfernt, nicht in den Papierkorb verschoben. Dateien im Ordner „Downloads“ sind nicht ausgewählt: Sie gehören oft Ihnen selbst.</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Erase securely: overwrite the related files before removing them (slower)</source>
        <translation>Sicher löschen: zugehörige Dateien vor dem Entfernen überschreiben (langsamer)</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Uninstall</source>
        <translation>Deinstallieren</translation>
    </message>
</context>
<context>
    <name>MakeSureWipeDiskViewController</name>
    <message>
        <source>Continue</source>
        <translation>Fortfahren</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Everything on &quot;%1&quot; will be erased: it is formatted anew and its free space is overwritten %2. This cannot be undone.</source>
        <translation>Alles auf „%1“ wird gelöscht: Das Volume wird neu formatiert und sein freier Speicher %2 überschrieben. Dies kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>Erase Volume</source>
        <translation>Volume löschen</translation>
    </message>
</context>
<context>
    <name>MakeSureWipeDriveViewController</name>
    <message>
        <source>This cannot be erased</source>
        <translation>Dies kann nicht gelöscht werden</translation>
    </message>
    <message>
        <source>Erase %1?</source>
        <translation>%1 löschen?</translation>
    </message>
    <message>
        <source>There is nothing to erase.</source>
        <translation>Es gibt nichts zu löschen.</translation>
    </message>
    <message>
        <source>Nothing is erased. Choose again once this is put right:</source>
        <translation>Es wird nichts gelöscht. Wählen Sie erneut, sobald dies behoben ist:</translation>
    </message>
    <message>
        <source>This cannot be undone. Tick each to confirm:</source>
        <translation>Dies kann nicht rückgängig gemacht werden. Bestätigen Sie jeden Punkt mit einem Häkchen:</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Erase</source>
        <translation>Löschen</translation>
    </message>
    <message numerus="yes">
        <source>Erase %n drives?</source>
        <translation>
            <numerusform>Ein Laufwerk löschen?</numerusform>
            <numerusform>%n Laufwerke löschen?</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Erase %n Drives</source>
        <translation>
            <numerusform>Ein Laufwerk löschen</numerusform>
            <numerusform>%n Laufwerke löschen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MakeSureWipeFreeSpaceViewController</name>
    <message>
        <source>Erase Free Space</source>
        <translation>Freien Speicher löschen</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Fortfahren</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The free space of &quot;%1&quot; will be overwritten %2. The files on the volume are not touched; the volume is full while the wipe runs.</source>
        <translation>Der freie Speicher von „%1“ wird %2 überschrieben. Die Dateien auf dem Volume bleiben unberührt; während des Löschens ist das Volume voll.</translation>
    </message>
</context>
<context>
    <name>ModuleCatalog</name>
    <message>
        <source>Erase Files</source>
        <translation>Dateien löschen</translation>
    </message>
    <message>
        <source>Overwrite files and folders so that they cannot be read back.</source>
        <translation>Dateien und Ordner überschreiben, sodass sie nicht mehr gelesen werden können.</translation>
    </message>
    <message>
        <source>Erase Hard Drive</source>
        <translation>Laufwerk löschen</translation>
    </message>
    <message>
        <source>Overwrite a whole volume, then format it afresh.</source>
        <translation>Ein ganzes Volume überschreiben und danach neu formatieren.</translation>
    </message>
    <message>
        <source>Erase Free Space</source>
        <translation>Freien Speicher löschen</translation>
    </message>
    <message>
        <source>Overwrite the free space of a volume, where deleted files linger.</source>
        <translation>Den freien Speicher eines Volumes überschreiben, in dem gelöschte Dateien fortbestehen.</translation>
    </message>
    <message>
        <source>Disk Format</source>
        <translation>Formatieren</translation>
    </message>
    <message>
        <source>Format a volume with a new file system.</source>
        <translation>Ein Volume mit einem neuen Dateisystem formatieren.</translation>
    </message>
    <message>
        <source>Disk Tool</source>
        <translation>Datenträgerwerkzeug</translation>
    </message>
    <message>
        <source>Rename and eject volumes.</source>
        <translation>Volumes umbenennen und auswerfen.</translation>
    </message>
    <message>
        <source>Uninstaller</source>
        <translation>Deinstallation</translation>
    </message>
    <message>
        <source>Remove an application together with the files that belong to it.</source>
        <translation>Ein Programm zusammen mit den zugehörigen Dateien entfernen.</translation>
    </message>
    <message>
        <source>Internet Cleaner</source>
        <translation>Internet-Bereinigung</translation>
    </message>
    <message>
        <source>Remove the browsing data of the installed web browsers.</source>
        <translation>Die Surfdaten der installierten Webbrowser entfernen.</translation>
    </message>
    <message>
        <source>Duplicate Finder</source>
        <translation>Duplikatsuche</translation>
    </message>
    <message>
        <source>Find files of identical content under a folder.</source>
        <translation>Dateien mit identischem Inhalt in einem Ordner finden.</translation>
    </message>
</context>
<context>
    <name>ModulePlaceholderPage</name>
    <message>
        <source>%1 is not available in this version yet.</source>
        <translation>%1 ist in dieser Version noch nicht verfügbar.</translation>
    </message>
</context>
<context>
    <name>NTFSFileAlert</name>
    <message>
        <source>Korvane Data Eraser</source>
        <translation>Korvane Data Eraser</translation>
    </message>
    <message>
        <source>This item is on an NTFS volume</source>
        <translation>Dieses Objekt liegt auf einem NTFS-Volume</translation>
    </message>
    <message>
        <source>Files on NTFS volumes cannot be overwritten reliably by this program, so nothing was erased.</source>
        <translation>Dateien auf NTFS-Volumes kann dieses Programm nicht zuverlässig überschreiben, daher wurde nichts gelöscht.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>NTFSViewController</name>
    <message>
        <source>NTFS volume</source>
        <translation>NTFS-Volume</translation>
    </message>
    <message>
        <source>The free space of NTFS volumes is not erased here. To erase such a volume completely, use Erase Hard Drive: it becomes an MS-DOS FAT32 volume named NEW.</source>
        <translation>Der freie Speicher von NTFS-Volumes wird hier nicht gelöscht. Um ein solches Volume vollständig zu löschen, verwenden Sie „Laufwerk löschen“: Es wird ein MS-DOS-FAT32-Volume namens NEW.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>Add</source>
        <translation>Hinzufügen</translation>
    </message>
    <message>
        <source>Add Files and Folders</source>
        <translation>Dateien und Ordner hinzufügen</translation>
    </message>
</context>
<context>
    <name>SetEraserLevelVC</name>
    <message>
        <source>One pass of random data. Fast, and enough for today&apos;s hard disks and for solid-state drives.</source>
        <translation>Ein Durchgang mit Zufallsdaten. Schnell und ausreichend für heutige Festplatten und für SSDs.</translation>
    </message>
    <message>
        <source>Two passes when wiping free space or a whole drive; files are overwritten once, as with the first standard.</source>
        <translation>Zwei Durchgänge beim Löschen von freiem Speicher oder eines ganzen Laufwerks; Dateien werden wie beim ersten Standard einmal überschrieben.</translation>
    </message>
    <message>
        <source>Three passes: two of random data, then a fixed pattern, as the U.S. Army prescribes for magnetic media.</source>
        <translation>Drei Durchgänge: zwei mit Zufallsdaten, dann ein festes Muster, wie es die US-Armee für magnetische Datenträger vorschreibt.</translation>
    </message>
    <message>
        <source>Seven passes of fixed patterns and random data, after the U.S. Department of Defense&apos;s extended method.</source>
        <translation>Sieben Durchgänge mit festen Mustern und Zufallsdaten nach dem erweiterten Verfahren des US-Verteidigungsministeriums.</translation>
    </message>
    <message>
        <source>35 passes tuned to old magnetic recording methods. Very slow; it adds nothing on modern drives.</source>
        <translation>35 Durchgänge, abgestimmt auf alte magnetische Aufzeichnungsverfahren. Sehr langsam; auf modernen Laufwerken bringt es nichts zusätzlich.</translation>
    </message>
    <message>
        <source>Erasure Standard</source>
        <translation>Löschstandard</translation>
    </message>
    <message>
        <source>Choose how many times erased data is overwritten. Items on solid-state drives always get a single pass.</source>
        <translation>Wählen Sie, wie oft gelöschte Daten überschrieben werden. Objekte auf SSDs erhalten immer einen einzigen Durchgang.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
</context>
<context>
    <name>SystemEraserViewController</name>
    <message>
        <source>Start-up volume</source>
        <translation>Startvolume</translation>
    </message>
    <message>
        <source>The volume the system runs from cannot be erased whole. Use Erase Files for the files you want gone, and Erase Free Space for what was deleted before.</source>
        <translation>Das Volume, von dem das System läuft, kann nicht als Ganzes gelöscht werden. Verwenden Sie „Dateien löschen“ für Dateien, die weg sollen, und „Freien Speicher löschen“ für früher Gelöschtes.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>UninstallProgressViewController</name>
    <message>
        <source>Removing</source>
        <translation>Wird entfernt</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Removal finished</source>
        <translation>Entfernen abgeschlossen</translation>
    </message>
</context>
<context>
    <name>UninstallViewController</name>
    <message>
        <source>Uninstaller</source>
        <translation>Deinstallation</translation>
    </message>
    <message>
        <source>Remove applications with their settings, caches and data</source>
        <translation>Programme mit ihren Einstellungen, Zwischenspeichern und Daten entfernen</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Applications</source>
        <translation>Programme</translation>
    </message>
    <message>
        <source>Widgets</source>
        <translation>Widgets</translation>
    </message>
    <message>
        <source>Plug-ins</source>
        <translation>Plug-ins</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Sort</source>
        <translation>Sortieren</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Alle auswählen</translation>
    </message>
    <message>
        <source>Uninstall</source>
        <translation>Deinstallieren</translation>
    </message>
    <message>
        <source>Kept</source>
        <translation>Behalten</translation>
    </message>
    <message>
        <source>Uninstall %1</source>
        <translation>%1 deinstallieren</translation>
    </message>
    <message>
        <source>Unselect all</source>
        <translation>Auswahl aufheben</translation>
    </message>
    <message numerus="yes">
        <source>Selected: %1 of %n items</source>
        <translation>
            <numerusform>Ausgewählt: %1 von einem Objekt</numerusform>
            <numerusform>Ausgewählt: %1 von %n Objekten</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Total: %n items</source>
        <translation>
            <numerusform>Insgesamt: ein Objekt</numerusform>
            <numerusform>Insgesamt: %n Objekte</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>   Applications (total: %n)</source>
        <translation>
            <numerusform>   Programme (insgesamt: %n)</numerusform>
            <numerusform>   Programme (insgesamt: %n)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>   Items (total: %n)</source>
        <translation>
            <numerusform>   Objekte (insgesamt: %n)</numerusform>
            <numerusform>   Objekte (insgesamt: %n)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WipeDiskProViewController</name>
    <message>
        <source>Erasing the volume</source>
        <translation>Volume wird gelöscht</translation>
    </message>
</context>
<context>
    <name>WipeDiskViewController</name>
    <message>
        <source>Erasure history</source>
        <translation>Löschverlauf</translation>
    </message>
    <message>
        <source>Erasure standard</source>
        <translation>Löschstandard</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Total Size</source>
        <translation>Gesamtgröße</translation>
    </message>
    <message>
        <source>Free Size</source>
        <translation>Freier Speicher</translation>
    </message>
    <message>
        <source>Drives and partitions: every byte overwritten</source>
        <translation>Laufwerke und Partitionen: jedes Byte überschrieben</translation>
    </message>
    <message>
        <source>Mounted volumes: formatted anew, then overwritten</source>
        <translation>Eingehängte Volumes: neu formatiert, dann überschrieben</translation>
    </message>
    <message>
        <source>Looking for volumes…</source>
        <translation>Volumes werden gesucht …</translation>
    </message>
    <message>
        <source>Erase Now</source>
        <translation>Jetzt löschen</translation>
    </message>
    <message>
        <source>Erase Hard Drive</source>
        <translation>Laufwerk löschen</translation>
    </message>
    <message>
        <source>Erase Free Space</source>
        <translation>Freien Speicher löschen</translation>
    </message>
    <message>
        <source>Standard: %1</source>
        <translation>Standard: %1</translation>
    </message>
    <message>
        <source>%1 is not among the volumes listed here.</source>
        <translation>%1 gehört nicht zu den hier aufgeführten Volumes.</translation>
    </message>
    <message>
        <source>You have selected: %1</source>
        <translation>Ihre Auswahl: %1</translation>
    </message>
    <message>
        <source>Erasing free space</source>
        <translation>Freier Speicher wird gelöscht</translation>
    </message>
    <message>
        <source>The wipe could not be recorded in the history: %1.</source>
        <translation>Das Löschen konnte nicht im Verlauf festgehalten werden: %1.</translation>
    </message>
</context>
<context>
    <name>WipeDriveEndViewController</name>
    <message>
        <source>Erased</source>
        <translation>Gelöscht</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>Refused</source>
        <translation>Abgelehnt</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Angehalten</translation>
    </message>
    <message>
        <source>Not begun</source>
        <translation>Nicht begonnen</translation>
    </message>
    <message>
        <source>Left alone</source>
        <translation>Unberührt</translation>
    </message>
    <message>
        <source>Erasure complete</source>
        <translation>Löschen abgeschlossen</translation>
    </message>
    <message>
        <source>Erasure stopped</source>
        <translation>Löschen angehalten</translation>
    </message>
    <message>
        <source>Erasure failed</source>
        <translation>Löschen fehlgeschlagen</translation>
    </message>
    <message>
        <source>Standard: %1</source>
        <translation>Standard: %1</translation>
    </message>
    <message>
        <source>The wipe could not be recorded in the history: %1.</source>
        <translation>Das Löschen konnte nicht im Verlauf festgehalten werden: %1.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>WipeDriveProViewController</name>
    <message>
        <source>Erasing the drive</source>
        <translation>Laufwerk wird gelöscht</translation>
    </message>
    <message>
        <source>Stopping after the chunk under way…</source>
        <translation>Wird nach dem laufenden Abschnitt angehalten …</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message numerus="yes">
        <source>Erasing %n drives</source>
        <translation>
            <numerusform>Ein Laufwerk wird gelöscht</numerusform>
            <numerusform>%n Laufwerke werden gelöscht</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>WipeFailViewController</name>
    <message>
        <source>Erasure failed</source>
        <translation>Löschen fehlgeschlagen</translation>
    </message>
    <message>
        <source>The wipe was stopped before it was done; what it had written is removed.</source>
        <translation>Das Löschen wurde vor dem Ende angehalten; was es geschrieben hatte, wird entfernt.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>The operation was canceled by the user.</source>
        <translation>Der Vorgang wurde vom Benutzer abgebrochen.</translation>
    </message>
</context>
<context>
    <name>WipeFreeSpaceProViewController</name>
    <message>
        <source>Standard: %1</source>
        <translation>Standard: %1</translation>
    </message>
    <message>
        <source>Preparing…</source>
        <translation>Wird vorbereitet …</translation>
    </message>
    <message>
        <source>Stopping: the files written so far are being removed…</source>
        <translation>Wird angehalten: Die bisher geschriebenen Dateien werden entfernt …</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>WipeSuccessViewController</name>
    <message>
        <source>Erasure complete</source>
        <translation>Löschen abgeschlossen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>WipeTimeEstimate</name>
    <message>
        <source>%1 × 1 pass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 × %2 passes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Estimated time: about %1 (%2 at %3, as measured on this device).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Estimated time: about %1 (%2 at %3, a cautious speed; the real one depends on the device).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>about %1 left (estimate)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>WipeViewParts</name>
    <message>
        <source>Method: overwrite with %1</source>
        <translation>Verfahren: überschreiben mit %1</translation>
    </message>
    <message>
        <source>Method: %1</source>
        <translation>Verfahren: %1</translation>
    </message>
</context>
</TS>
