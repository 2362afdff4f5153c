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
    <name>AppsCommand</name>
    <message>
        <source>no application &apos;%1&apos; (see korvane apps)</source>
        <translation>keine Anwendung „%1“ (siehe korvane apps)</translation>
    </message>
    <message>
        <source>removing</source>
        <extracomment>&quot;not removing without confirmation&quot;: German needs the participle (&quot;entfernt&quot;).</extracomment>
        <translation>entfernt</translation>
    </message>
    <message>
        <source>remove</source>
        <translation>entfernen</translation>
    </message>
    <message>
        <source>Nothing was removed.</source>
        <translation>Es wurde nichts entfernt.</translation>
    </message>
    <message>
        <source>Cancelling: finishing the removal under way...</source>
        <translation>Abbruch: die laufende Entfernung wird noch beendet ...</translation>
    </message>
    <message>
        <source>--home needs an existing folder given by its full path</source>
        <translation>--home braucht einen vorhandenen Ordner mit vollständigem Pfad</translation>
    </message>
    <message>
        <source>the folder list cannot be read</source>
        <translation>die Ordnerliste kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>kept: %1</source>
        <translation>behalten: %1</translation>
    </message>
    <message>
        <source>(download: not removed by default)</source>
        <translation>(Download: wird standardmäßig nicht entfernt)</translation>
    </message>
    <message numerus="yes">
        <source>%n item(s)</source>
        <translation>
            <numerusform>%n Element</numerusform>
            <numerusform>%n Elemente</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>AppsRemoveFormatter</name>
    <message>
        <source>refused: %1</source>
        <translation>abgelehnt: %1</translation>
    </message>
    <message>
        <source>packages removed: %1</source>
        <translation>entfernte Pakete: %1</translation>
    </message>
    <message>
        <source>kept (in the download folder): %1</source>
        <translation>behalten (im Download-Ordner): %1</translation>
    </message>
    <message>
        <source>Remove these? This cannot be undone.</source>
        <translation>Diese entfernen? Das kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n item(s) removed (what was under way was finished); the others were not removed</source>
        <extracomment>%1 is how many were removed.</extracomment>
        <translation>
            <numerusform>%1 von %n Element entfernt (was lief, wurde beendet); die anderen wurden nicht entfernt</numerusform>
            <numerusform>%1 von %n Elementen entfernt (was lief, wurde beendet); die anderen wurden nicht entfernt</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>BrowerObj</name>
    <message numerus="yes">
        <source>%n item(s)</source>
        <translation>
            <numerusform>%n Eintrag</numerusform>
            <numerusform>%n Einträge</numerusform>
        </translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>0 bytes</source>
        <translation>0 Byte</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>BrowserCleaner</name>
    <message>
        <source>Removed entries were overwritten in place and removed files were erased. Copies the browser deleted on its own earlier are out of reach here; a free-space wipe of the home&apos;s volume overwrites them.</source>
        <translation>Entfernte Einträge wurden an Ort und Stelle überschrieben, entfernte Dateien gelöscht. Kopien, die der Browser früher selbst gelöscht hat, sind hier nicht erreichbar; das Löschen des freien Speichers auf dem Volume des persönlichen Ordners überschreibt sie.</translation>
    </message>
    <message>
        <source> This volume is copy-on-write: overwriting writes new blocks and earlier copies stay until a free-space wipe.</source>
        <translation> Dieses Volume arbeitet mit Copy-on-Write: Überschreiben schreibt neue Blöcke, und frühere Kopien bleiben bis zum Löschen des freien Speichers erhalten.</translation>
    </message>
    <message>
        <source> On solid-state storage the drive may keep old blocks that no overwrite reaches; only a free-space wipe or the drive&apos;s own sanitize command clears them.</source>
        <translation> Auf SSD-Speicher kann das Laufwerk alte Blöcke behalten, die kein Überschreiben erreicht; nur das Löschen des freien Speichers oder der Sanitize-Befehl des Laufwerks selbst beseitigt sie.</translation>
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
    <name>BrowsersCleanFormatter</name>
    <message>
        <source>Saved passwords are kept; name &quot;passwords&quot; (or &quot;all&quot;) to remove them.</source>
        <translation>Gespeicherte Passwörter bleiben erhalten; nennen Sie „passwords“ (oder „all“), um sie zu entfernen.</translation>
    </message>
    <message>
        <source>Cookies kept for: %1</source>
        <translation>Cookies behalten für: %1</translation>
    </message>
    <message>
        <source>Remove these? This cannot be undone.</source>
        <translation>Diese entfernen? Das kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>not followed: %1: %2</source>
        <translation>nicht verfolgt: %1: %2</translation>
    </message>
    <message>
        <source>Name the other browsers with --browser to clean them.</source>
        <translation>Nennen Sie die anderen Browser mit --browser, um sie zu bereinigen.</translation>
    </message>
    <message>
        <source>Nothing to remove.</source>
        <translation>Nichts zu entfernen.</translation>
    </message>
    <message>
        <source>not removed: %1</source>
        <translation>nicht entfernt: %1</translation>
    </message>
    <message>
        <source>not reached: %1</source>
        <translation>nicht erreicht: %1</translation>
    </message>
    <message>
        <source>; running, left alone: %1</source>
        <translation>; laufen und wurden nicht angerührt: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n kind(s) removed, %2 not%3.</source>
        <extracomment>%2 is how many kinds were not removed, %3 the browsers left alone or nothing.</extracomment>
        <translation>
            <numerusform>%n Art entfernt, %2 nicht%3.</numerusform>
            <numerusform>%n Arten entfernt, %2 nicht%3.</numerusform>
        </translation>
    </message>
    <message>
        <source>every browser chosen had been cleaned already</source>
        <translation>jeder gewählte Browser war schon bereinigt</translation>
    </message>
    <message>
        <source>not cleaned: %1</source>
        <translation>nicht bereinigt: %1</translation>
    </message>
</context>
<context>
    <name>BrowsersCommand</name>
    <message>
        <source>%1  (found by its data)</source>
        <translation>%1  (anhand seiner Daten gefunden)</translation>
    </message>
    <message>
        <source>  profile  %1: %2</source>
        <translation>  Profil  %1: %2</translation>
    </message>
    <message>
        <source>  not followed: %1</source>
        <translation>  nicht verfolgt: %1</translation>
    </message>
    <message>
        <source>    not read: %1</source>
        <translation>    nicht gelesen: %1</translation>
    </message>
    <message>
        <source>unknown kind or word &apos;%1&apos;</source>
        <translation>unbekannte Art oder unbekanntes Wort „%1“</translation>
    </message>
    <message>
        <source>not a site to keep cookies of: %1</source>
        <translation>keine Website, deren Cookies behalten werden können: %1</translation>
    </message>
    <message>
        <source>cannot tell which user this is for</source>
        <translation>es ist nicht erkennbar, für welchen Benutzer das gilt</translation>
    </message>
    <message>
        <source>no user account &apos;%1&apos;</source>
        <translation>kein Benutzerkonto „%1“</translation>
    </message>
    <message>
        <source>--home needs an existing folder given by its full path</source>
        <translation>--home braucht einen vorhandenen Ordner mit vollständigem Pfad</translation>
    </message>
    <message>
        <source>the browser data list cannot be read</source>
        <translation>die Liste der Browserdaten kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>no browser &apos;%1&apos; found (see korvane browsers)</source>
        <translation>kein Browser „%1“ gefunden (siehe korvane browsers)</translation>
    </message>
    <message numerus="yes">
        <source>%n browser(s)</source>
        <translation>
            <numerusform>%n Browser</numerusform>
            <numerusform>%n Browser</numerusform>
        </translation>
    </message>
    <message>
        <source>have it closed first</source>
        <translation>ihn zuerst schließen zu lassen</translation>
    </message>
    <message>
        <source>removing</source>
        <extracomment>&quot;not removing without confirmation&quot;: German needs the participle (&quot;entfernt&quot;).</extracomment>
        <translation>entfernt</translation>
    </message>
    <message>
        <source>remove</source>
        <translation>entfernen</translation>
    </message>
    <message>
        <source>Nothing was removed.</source>
        <translation>Es wurde nichts entfernt.</translation>
    </message>
    <message>
        <source>Cancelling: finishing the browser under way...</source>
        <translation>Abbruch: der laufende Browser wird noch fertig bereinigt ...</translation>
    </message>
</context>
<context>
    <name>CertificateCommand</name>
    <message>
        <source>a verb is needed</source>
        <translation>ein Unterbefehl fehlt</translation>
    </message>
    <message>
        <source>cannot use: %1 %2</source>
        <translation>nicht verwendbar: %1 %2</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1: valid, %2; verification code %3</source>
        <translation>%1: gültig, %2; Prüfcode %3</translation>
    </message>
    <message>
        <source>%1: NOT valid: %2</source>
        <translation>%1: NICHT gültig: %2</translation>
    </message>
    <message>
        <source>this installation&apos;s key could not be used: %1</source>
        <translation>der Schlüssel dieser Installation konnte nicht verwendet werden: %1</translation>
    </message>
    <message>
        <source>fingerprint  %1
public key   %2 (Ed25519, base64)
key file     %3
</source>
        <extracomment>Keep the three labels lined up.</extracomment>
        <translation>Fingerabdruck       %1
Öffentl. Schlüssel  %2 (Ed25519, base64)
Schlüsseldatei      %3
</translation>
    </message>
    <message>
        <source> (add --force to replace it; certificates it signed then verify only with --trust)</source>
        <translation> (mit --force wird er ersetzt; damit signierte Zertifikate lassen sich dann nur noch mit --trust prüfen)</translation>
    </message>
    <message>
        <source>The signing key is now %1</source>
        <translation>Der Signaturschlüssel ist jetzt %1</translation>
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
    <name>CertificateSigner</name>
    <message>
        <source>the signing key cannot be used</source>
        <translation>der Signaturschlüssel kann nicht verwendet werden</translation>
    </message>
    <message>
        <source>the certificate holds %1</source>
        <translation>das Zertifikat enthält %1</translation>
    </message>
    <message>
        <source>not a JSON document (%1 at byte %2)</source>
        <translation>kein JSON-Dokument (%1 bei Byte %2)</translation>
    </message>
    <message>
        <source>not a certificate: the document is not an object</source>
        <translation>kein Zertifikat: das Dokument ist kein Objekt</translation>
    </message>
    <message>
        <source>the certificate carries no signature</source>
        <translation>das Zertifikat trägt keine Signatur</translation>
    </message>
    <message>
        <source>the file was changed after signing: it is not in the canonical form it was written in (from byte %1)</source>
        <translation>die Datei wurde nach dem Signieren geändert: sie ist nicht in der kanonischen Form, in der sie geschrieben wurde (ab Byte %1)</translation>
    </message>
    <message>
        <source>unknown signature algorithm &quot;%1&quot;</source>
        <translation>unbekanntes Signaturverfahren „%1“</translation>
    </message>
    <message>
        <source>the signature or its public key is malformed</source>
        <translation>die Signatur oder ihr öffentlicher Schlüssel ist fehlerhaft</translation>
    </message>
    <message>
        <source>the key fingerprint %1 does not belong to the public key in the certificate (%2)</source>
        <translation>der Schlüssel-Fingerabdruck %1 gehört nicht zum öffentlichen Schlüssel im Zertifikat (%2)</translation>
    </message>
    <message>
        <source>the signature does not match the content: a field was changed after signing, or the signature was made by another key</source>
        <translation>die Signatur passt nicht zum Inhalt: ein Feld wurde nach dem Signieren geändert, oder die Signatur stammt von einem anderen Schlüssel</translation>
    </message>
    <message>
        <source>signed by key %1, but no trusted key was given to check it against</source>
        <translation>signiert mit Schlüssel %1, aber es wurde kein vertrauenswürdiger Schlüssel zum Prüfen angegeben</translation>
    </message>
    <message>
        <source>signed by key %1, which is not a trusted key (trusted: %2)</source>
        <translation>signiert mit Schlüssel %1, der kein vertrauenswürdiger Schlüssel ist (vertrauenswürdig: %2)</translation>
    </message>
    <message>
        <source>signed by key %1</source>
        <translation>signiert mit Schlüssel %1</translation>
    </message>
</context>
<context>
    <name>CleanBrowsersOperation</name>
    <message>
        <source>%1 is running (process %2): it is closed first, and unsaved work in it is lost.</source>
        <translation>%1 läuft (Prozess %2): er wird zuerst geschlossen, nicht gespeicherte Arbeit darin geht verloren.</translation>
    </message>
    <message>
        <source>Nothing was removed.</source>
        <translation>Es wurde nichts entfernt.</translation>
    </message>
    <message>
        <source>%1 did not end: %2</source>
        <translation>%1 wurde nicht beendet: %2</translation>
    </message>
    <message>
        <source>%1 is running</source>
        <translation>%1 läuft</translation>
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
    <name>CliBundle</name>
    <message>
        <source>cannot find the KorvaneLoader.app bundle; give it with --bundle DIR or KORVANE_BUNDLE</source>
        <translation>das Bundle KorvaneLoader.app ist nicht zu finden; geben Sie es mit --bundle DIR oder KORVANE_BUNDLE an</translation>
    </message>
    <message>
        <source>no bundle at %1</source>
        <translation>kein Bundle unter %1</translation>
    </message>
</context>
<context>
    <name>CliOperationRunner</name>
    <message>
        <source>Warning: %1</source>
        <translation>Warnung: %1</translation>
    </message>
    <message>
        <source>%1 it anyway</source>
        <extracomment>%1 is the verb&apos;s infinitive (&quot;erase&quot;).</extracomment>
        <translation>es trotzdem zu %1</translation>
    </message>
    <message>
        <source>%1; not done without a consent</source>
        <translation>%1; ohne Zustimmung wird das nicht ausgeführt</translation>
    </message>
    <message>
        <source>%1; add %2 to %3</source>
        <translation>%1; fügen Sie %2 hinzu, um %3</translation>
    </message>
    <message>
        <source>the planning was stopped</source>
        <translation>die Planung wurde abgebrochen</translation>
    </message>
    <message>
        <source>Interrupted by %1: %2</source>
        <extracomment>%1 is the signal&apos;s name (&quot;SIGINT&quot;).</extracomment>
        <translation>Unterbrochen durch %1: %2</translation>
    </message>
</context>
<context>
    <name>CliOutput</name>
    <message numerus="yes">
        <source>%n pass(es)</source>
        <translation>
            <numerusform>%n Durchgang</numerusform>
            <numerusform>%n Durchgänge</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CliProgressPrinter</name>
    <message numerus="yes">
        <source>Counting: %n entries so far...</source>
        <translation>
            <numerusform>Zählen: bisher %n Eintrag ...</numerusform>
            <numerusform>Zählen: bisher %n Einträge ...</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 of %2  %3</source>
        <extracomment>Copy progress: %1 copied of %2, then the file&apos;s name.</extracomment>
        <translation>%1 von %2  %3</translation>
    </message>
    <message>
        <source>reading back</source>
        <translation>Rücklesen</translation>
    </message>
    <message>
        <source>pass %1/%2</source>
        <translation>Durchgang %1/%2</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>%1/s  %2:%3 left</source>
        <extracomment>Speed, then the time left as minutes:seconds.</extracomment>
        <translation>%1/s  noch %2:%3</translation>
    </message>
    <message>
        <source>stopped at %1%</source>
        <translation>abgebrochen bei %1 %</translation>
    </message>
    <message>
        <source>done</source>
        <translation>fertig</translation>
    </message>
</context>
<context>
    <name>CliPrompt</name>
    <message>
        <source>y|yes</source>
        <extracomment>The words taken as yes, separated by &quot;|&quot;, lower case.</extracomment>
        <translation>j|ja</translation>
    </message>
    <message>
        <source>[y/N]</source>
        <extracomment>The choices after a question: the yes letter, and N (the default) for no.</extracomment>
        <translation>[j/N]</translation>
    </message>
    <message>
        <source>Answer taken as yes.</source>
        <translation>Antwort als „ja“ verstanden.</translation>
    </message>
    <message>
        <source>Answer taken as no.</source>
        <translation>Antwort als „nein“ verstanden.</translation>
    </message>
    <message>
        <source>not %1 without confirmation: standard input is not a terminal; add --yes to %2 anyway</source>
        <extracomment>%1 is what would be done (&quot;erasing&quot;), %2 the verb (&quot;erase&quot;).</extracomment>
        <translation>ohne Bestätigung wird nicht %1: die Standardeingabe ist kein Terminal; fügen Sie --yes hinzu, um trotzdem zu %2</translation>
    </message>
</context>
<context>
    <name>CliReportFormatter</name>
    <message>
        <source>Erasing with %1 (%2).</source>
        <translation>Löschen mit %1 (%2).</translation>
    </message>
    <message>
        <source>This cannot be undone. Continue?</source>
        <translation>Das kann nicht rückgängig gemacht werden. Fortfahren?</translation>
    </message>
    <message>
        <source>Nothing to do.</source>
        <translation>Nichts zu tun.</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Erledigt</translation>
    </message>
    <message>
        <source>Refused</source>
        <translation>Abgelehnt</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>Not reached</source>
        <translation>Nicht erreicht</translation>
    </message>
    <message>
        <source>Skipped</source>
        <translation>Übersprungen</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n done; the others were not</source>
        <extracomment>%1 is how many were done.</extracomment>
        <translation>
            <numerusform>%1 von %n erledigt; die anderen nicht</numerusform>
            <numerusform>%1 von %n erledigt; die anderen nicht</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>CliUsage</name>
    <message>
        <source>usage: korvane apps [--tab apps|widgets|plugins] [--json]
       korvane apps related NAME|PATH [--json]
       korvane apps remove NAME|PATH... [--keep-related] [--erase-securely] [--yes]
Lists what can be uninstalled, shows the files that belong to an application (its
settings, caches, logs, data and downloads), and removes applications the way they were
installed (apt, flatpak, snap, or their files) together with those files.
  --tab T          apps (default), widgets or plugins
  --json           JSON output
  --keep-related   remove the application only, not its files
  --erase-securely overwrite the related files before removing them
  --yes            do not ask before removing
  --folders FILE   another folder list than the bundle&apos;s UninstallerFolders.plist
  --home DIR       look in DIR instead of the home of the user the program works for
  --bundle D       the KorvaneLoader.app bundle (or KORVANE_BUNDLE)
Files in the download folder are listed but not removed (they are as often the user&apos;s
own as installers): remove those yourself.
Interrupted (SIGINT, SIGTERM or SIGHUP), a removal finishes the package removals under
way (a package manager stopped halfway leaves the system&apos;s package database broken),
removes no further file, says what was removed and exits with 128 + the signal&apos;s number.
</source>
        <translation>Aufruf: korvane apps [--tab apps|widgets|plugins] [--json]
        korvane apps related NAME|PFAD [--json]
        korvane apps remove NAME|PFAD... [--keep-related] [--erase-securely] [--yes]
Listet auf, was deinstalliert werden kann, zeigt die Dateien, die zu einer Anwendung
gehören (ihre Einstellungen, Caches, Protokolle, Daten und Downloads), und entfernt
Anwendungen so, wie sie installiert wurden (apt, flatpak, snap oder ihre Dateien),
zusammen mit diesen Dateien.
  --tab T          apps (Standard), widgets oder plugins
  --json           Ausgabe als JSON
  --keep-related   nur die Anwendung entfernen, nicht ihre Dateien
  --erase-securely die zugehörigen Dateien vor dem Entfernen überschreiben
  --yes            vor dem Entfernen nicht nachfragen
  --folders FILE   eine andere Ordnerliste als UninstallerFolders.plist des Bundles
  --home DIR       in DIR suchen statt im persönlichen Ordner des Benutzers, für den das
                   Programm arbeitet
  --bundle D       das Bundle KorvaneLoader.app (oder KORVANE_BUNDLE)
Dateien im Download-Ordner werden aufgelistet, aber nicht entfernt (sie sind ebenso oft
eigene Dateien des Benutzers wie Installationsprogramme): entfernen Sie diese selbst.
Unterbrochen (SIGINT, SIGTERM oder SIGHUP), beendet ein Entfernen die laufenden
Paketentfernungen (eine mittendrin angehaltene Paketverwaltung hinterlässt die
Paketdatenbank des Systems beschädigt), entfernt keine weitere Datei, nennt, was entfernt
wurde, und endet mit 128 + der Nummer des Signals.
</translation>
    </message>
    <message>
        <source>usage: korvane browsers [--json]
       korvane browsers clean [KIND...] [--browser NAME]... [--keep-cookies DOMAIN...]
                              [--close] [--yes]
Lists the web browsers found (Google Chrome, Chromium, Opera, Brave, Vivaldi, Microsoft
Edge, Firefox, LibreWolf; native, snap and flatpak installs, every profile) with what each
kind of their data holds, and removes the kinds chosen.
KIND: history, downloads, cookies, passwords, forms, session, caches (or the names
shown), or all. Without a KIND every kind but the saved passwords is removed; passwords
go only when named (passwords, or all).
  --browser NAME   only this browser (repeatable)
  --keep-cookies DOMAIN...  keep the cookies of these sites and their subdomains, besides
                   the sites kept in the settings (KeepCookieDomains)
  --close          end a running browser first (/bin/kill), once the removal is agreed,
                   then wait for it
  --yes            do not ask before removing
  --json           JSON output
  --user NAME      the user whose browsers they are (default: the user the program
                   works for)
  --home DIR       look in DIR instead of that user&apos;s home
  --data FILE      another browser data list than the bundle&apos;s EraserHistory.plist
  --bundle D       the KorvaneLoader.app bundle (or KORVANE_BUNDLE)
A browser that is running, or a browser folder that is a link (not followed), refuses the
whole run: close the browser or give --close; name the other browsers with --browser.
Removed rows are overwritten in the databases, their journals and logs, and removed files
are erased; what the browser deleted on its own earlier is reached only by a free-space
wipe.
Exit status: 0 when everything chosen was removed, 1 when something was not (it is named),
2 on a usage error. Interrupted (SIGINT, SIGTERM or SIGHUP), it finishes the browser under
way, names those it did not begin, and exits with 128 + the signal&apos;s number.
</source>
        <translation>Aufruf: korvane browsers [--json]
        korvane browsers clean [ART...] [--browser NAME]... [--keep-cookies DOMAIN...]
                               [--close] [--yes]
Listet die gefundenen Webbrowser auf (Google Chrome, Chromium, Opera, Brave, Vivaldi,
Microsoft Edge, Firefox, LibreWolf; native, Snap- und Flatpak-Installationen, jedes Profil)
mit dem, was jede Art ihrer Daten enthält, und entfernt die gewählten Arten.
ART: history, downloads, cookies, passwords, forms, session, caches (oder die angezeigten
Namen) oder all. Ohne ART wird jede Art außer den gespeicherten Passwörtern entfernt;
Passwörter nur, wenn sie genannt werden (passwords oder all).
  --browser NAME   nur dieser Browser (mehrfach möglich)
  --keep-cookies DOMAIN...  die Cookies dieser Websites und ihrer Subdomains behalten,
                   zusätzlich zu den in den Einstellungen behaltenen (KeepCookieDomains)
  --close          einen laufenden Browser zuerst beenden (/bin/kill), sobald dem
                   Entfernen zugestimmt ist, und auf ihn warten
  --yes            vor dem Entfernen nicht nachfragen
  --json           Ausgabe als JSON
  --user NAME      der Benutzer, dem die Browser gehören (Standard: der Benutzer, für den
                   das Programm arbeitet)
  --home DIR       in DIR suchen statt im persönlichen Ordner dieses Benutzers
  --data FILE      eine andere Liste der Browserdaten als EraserHistory.plist des Bundles
  --bundle D       das Bundle KorvaneLoader.app (oder KORVANE_BUNDLE)
Ein laufender Browser oder ein Browserordner, der ein Link ist (wird nicht verfolgt),
verhindert den ganzen Lauf: schließen Sie den Browser oder geben Sie --close an; nennen
Sie die anderen Browser mit --browser.
Entfernte Zeilen werden in den Datenbanken, ihren Journalen und Protokollen überschrieben,
entfernte Dateien werden gelöscht; was der Browser früher selbst gelöscht hat, erreicht
nur das Löschen des freien Speichers.
Rückgabewert: 0, wenn alles Gewählte entfernt wurde, 1, wenn etwas nicht entfernt wurde
(es wird genannt), 2 bei falschem Aufruf. Unterbrochen (SIGINT, SIGTERM oder SIGHUP),
bereinigt er den laufenden Browser fertig, nennt die nicht begonnenen und endet mit
128 + der Nummer des Signals.
</translation>
    </message>
    <message>
        <source>usage: korvane certificate verify FILE... [--trust FINGERPRINT]...
                                     check signed certificates (JSON form); - reads
                                     standard input
       korvane certificate key [show]   the signing key&apos;s fingerprint and public key
       korvane certificate key import PEMFILE [--force]
                                     use an organisation&apos;s own Ed25519 key (PKCS#8 PEM,
                                     e.g. from `openssl genpkey -algorithm ed25519`);
                                     --force replaces the key that is there
A certificate is valid when its file is exactly as signed and the signature is by a
trusted key: this installation&apos;s key, or one given with --trust (as `certificate key`
prints it, &quot;SHA256:...&quot;).
  --bundle D  the KorvaneLoader.app bundle (or KORVANE_BUNDLE)
Exit status: 0 valid (every FILE) or done; 1 not valid or failed; 2 usage error.
</source>
        <translation>Aufruf: korvane certificate verify DATEI... [--trust FINGERABDRUCK]...
                                     signierte Zertifikate (JSON-Form) prüfen; - liest
                                     die Standardeingabe
        korvane certificate key [show]   Fingerabdruck und öffentlicher Schlüssel des
                                     Signaturschlüssels
        korvane certificate key import PEMDATEI [--force]
                                     den eigenen Ed25519-Schlüssel einer Organisation
                                     verwenden (PKCS#8 PEM, z. B. aus `openssl genpkey
                                     -algorithm ed25519`); --force ersetzt den
                                     vorhandenen Schlüssel
Ein Zertifikat ist gültig, wenn seine Datei genau so ist, wie sie signiert wurde, und die
Signatur von einem vertrauenswürdigen Schlüssel stammt: dem Schlüssel dieser Installation
oder einem mit --trust angegebenen (so, wie `certificate key` ihn ausgibt, &quot;SHA256:...&quot;).
  --bundle D  das Bundle KorvaneLoader.app (oder KORVANE_BUNDLE)
Rückgabewert: 0 gültig (jede DATEI) oder erledigt; 1 ungültig oder fehlgeschlagen;
2 falscher Aufruf.
</translation>
    </message>
    <message>
        <source>Interrupted (SIGINT, SIGTERM or SIGHUP), it stops after the item under way, prints what
was done and what was not, and exits with 128 + the signal&apos;s number (130 for Ctrl-C,
143 for SIGTERM). Each result line is written as soon as it is known.
</source>
        <translation>Unterbrochen (SIGINT, SIGTERM oder SIGHUP), hält es nach dem laufenden Element an, gibt
aus, was erledigt wurde und was nicht, und endet mit 128 + der Nummer des Signals (130 für
Strg+C, 143 für SIGTERM). Jede Ergebniszeile wird geschrieben, sobald sie feststeht.
</translation>
    </message>
    <message>
        <source>usage: korvane copy SOURCE... DESTINATION [--verify] [--existing skip|replace|keep-both]
                    [--yes]
       korvane copy --clean DESTINATION
Copies files and folders into the folder DESTINATION: links as links, times and
permissions kept where the destination can hold them. A file appears under its name only
once it is whole; Ctrl-C leaves no partial file, and removes the folders the copy made
that are still empty. Partial files a killed copy left where this one writes are removed
first; then the free space is checked.
  --verify     read every copy back from the device and compare it with the original
  --existing   what to do with a file that is already there (asked on a terminal,
               else skipped); replace asks first
  --yes        do not ask before replacing
  --clean      remove every partial file that stopped copies left anywhere under
               DESTINATION, and say which; files merely named like them stay
Exit status: 0 when everything was copied (and verified), 1 when anything failed or was
refused, 2 for bad usage.
</source>
        <translation>Aufruf: korvane copy QUELLE... ZIEL [--verify] [--existing skip|replace|keep-both]
                     [--yes]
        korvane copy --clean ZIEL
Kopiert Dateien und Ordner in den Ordner ZIEL: Links als Links, Zeiten und Rechte bleiben
erhalten, wo das Ziel sie aufnehmen kann. Eine Datei erscheint erst unter ihrem Namen,
wenn sie vollständig ist; Strg+C hinterlässt keine Teildatei und entfernt die von der
Kopie angelegten Ordner, die noch leer sind. Teildateien, die eine abgebrochene Kopie dort
hinterließ, wo diese schreibt, werden zuerst entfernt; dann wird der freie Speicher geprüft.
  --verify     jede Kopie vom Gerät zurücklesen und mit dem Original vergleichen
  --existing   was mit einer schon vorhandenen Datei geschieht (im Terminal wird gefragt,
               sonst übersprungen); replace fragt vorher
  --yes        vor dem Ersetzen nicht nachfragen
  --clean      jede Teildatei entfernen, die abgebrochene Kopien irgendwo unter ZIEL
               hinterlassen haben, und sie nennen; Dateien, die nur so heißen, bleiben
Rückgabewert: 0, wenn alles kopiert (und geprüft) wurde, 1, wenn etwas fehlschlug oder
abgelehnt wurde, 2 bei falschem Aufruf.
</translation>
    </message>
    <message>
        <source>usage: korvane disks [--json]
       korvane format DEVICE FILESYSTEM NAME [--table gpt|dos] [--yes]
       korvane rename DEVICE NAME
       korvane mount DEVICE | unmount DEVICE | eject DEVICE
       (rename, unmount and eject also take a volume&apos;s mount point for DEVICE)
disks lists every disk with its volumes, mounted or not. format makes a new, empty file
system (FILESYSTEM: fat32, exfat, ntfs, ext4, btrfs or xfs, where its tools are installed):
a mounted volume is mounted again where it was; an unmounted partition is formatted and the
rest of its disk left as it is; a whole disk (blank, or its partitions not mounted) gets a
new partition table with one partition, GPT unless --table dos. Everything on the device
is lost; what that is is said before the question. rename
names a volume; mount puts it at /media/NAME; eject unmounts every volume of a removable
disk and lets go of it. Devices the running system needs are refused.
  --json      JSON output
  --table T   format a whole disk with a new gpt or dos (MBR) partition table
  --yes       do not ask before formatting
  --bundle D  the KorvaneLoader.app bundle (or KORVANE_BUNDLE)
</source>
        <translation>Aufruf: korvane disks [--json]
        korvane format GERÄT DATEISYSTEM NAME [--table gpt|dos] [--yes]
        korvane rename GERÄT NAME
        korvane mount GERÄT | unmount GERÄT | eject GERÄT
        (rename, unmount und eject nehmen statt GERÄT auch den Einhängepunkt eines Volumes)
disks listet jeden Datenträger mit seinen Volumes auf, eingehängt oder nicht. format legt
ein neues, leeres Dateisystem an (DATEISYSTEM: fat32, exfat, ntfs, ext4, btrfs oder xfs,
sofern die Werkzeuge dafür installiert sind): ein eingehängtes Volume wird wieder dort
eingehängt, wo es war; eine nicht eingehängte Partition wird formatiert und der Rest ihres
Datenträgers bleibt, wie er ist; ein ganzer Datenträger (leer oder mit nicht eingehängten
Partitionen) erhält eine neue Partitionstabelle mit einer Partition, GPT, außer mit
--table dos. Alles auf dem Gerät geht verloren; was das ist, wird vor der Frage gesagt.
rename benennt ein Volume; mount hängt es unter /media/NAME ein; eject hängt jedes Volume
eines Wechseldatenträgers aus und gibt ihn frei. Geräte, die das laufende System braucht,
werden abgelehnt.
  --json      Ausgabe als JSON
  --table T   einen ganzen Datenträger mit einer neuen gpt- oder dos-(MBR-)
              Partitionstabelle formatieren
  --yes       vor dem Formatieren nicht nachfragen
  --bundle D  das Bundle KorvaneLoader.app (oder KORVANE_BUNDLE)
</translation>
    </message>
    <message>
        <source>usage: korvane wipe-drive DEVICE... [--level 1|2|3|7|35] [--verify last|all|sample:P|none]
                          [--method overwrite|sanitize|auto] [--unmount] [--resume]
                          [--yes] [--bundle DIR]
Overwrites every byte of each whole drive or partition (a device node, see `korvane
disks`) with the passes of the erasure standard, then reads back what the last pass wrote:
the partition table, every partition and what lies between them are gone. Several drives
are wiped at once; one failing does not stop the others. The drives the system needs are
refused. A wipe that was interrupted (stopped, killed, a power loss) can go on from where
it was with --resume.
  --level N     passes, by the erasure standard&apos;s number (default: the stored level)
  --verify V    read back: the whole last pass (last, the default), every pass (all),
                PERCENT of the last pass spread over the drive (sample:PERCENT), or none
  --method M    how: overwrite (a Clear: the passes of the erasure standard), sanitize
                (a Purge: the drive&apos;s own firmware erase, NVMe, ATA or SCSI sanitize, NVMe
                format or secure discard; refused when the drive offers none or is frozen)
                or auto (the default: sanitize for a solid-state drive that offers it,
                crypto erase first; overwrite otherwise). A sanitize is checked by reading
                back blocks spread over the drive: each must have changed.
  --unmount     unmount the volumes mounted on the drives (they are named first)
  --resume      go on with each drive&apos;s interrupted wipe, with its level and reading back
  --yes         do not ask for confirmation
  --bundle D    the KorvaneLoader.app bundle (or KORVANE_BUNDLE)
Overwriting a solid-state drive cannot reach the blocks it keeps aside, nor can it reach
an area hidden past a drive&apos;s visible end (host protected area, configuration overlay);
a firmware sanitize reaches both. The plan says which applies to each drive.
Exit status: 0 when the drive was overwritten and read back as asked, 1 when it failed or
was refused, 2 for bad usage.
</source>
        <translation>Aufruf: korvane wipe-drive GERÄT... [--level 1|2|3|7|35] [--verify last|all|sample:P|none]
                           [--method overwrite|sanitize|auto] [--unmount] [--resume]
                           [--yes] [--bundle DIR]
Überschreibt jedes Byte jedes ganzen Laufwerks oder jeder Partition (eine Gerätedatei,
siehe `korvane disks`) mit den Durchgängen des Löschstandards und liest dann zurück, was
der letzte Durchgang geschrieben hat: die Partitionstabelle, jede Partition und was
dazwischen liegt, sind weg. Mehrere Laufwerke werden gleichzeitig gelöscht; schlägt eines
fehl, hält das die anderen nicht an. Laufwerke, die das System braucht, werden abgelehnt.
Ein unterbrochenes Löschen (angehalten, beendet, Stromausfall) kann mit --resume dort
fortgesetzt werden, wo es war.
  --level N     Durchgänge, nach der Nummer des Löschstandards (Standard: die
                gespeicherte Stufe)
  --verify V    Rücklesen: den ganzen letzten Durchgang (last, Standard), jeden Durchgang
                (all), PROZENT des letzten Durchgangs über das Laufwerk verteilt
                (sample:PROZENT) oder none
  --method M    wie: overwrite (ein Clear: die Durchgänge des Löschstandards), sanitize
                (ein Purge: das Löschen durch die Firmware des Laufwerks, NVMe-, ATA- oder
                SCSI-Sanitize, NVMe-Format oder sicheres Discard; abgelehnt, wenn das
                Laufwerk nichts davon anbietet oder gesperrt ist) oder auto (Standard:
                sanitize für ein SSD-Laufwerk, das es anbietet, Crypto Erase zuerst;
                sonst overwrite). Ein Sanitize wird geprüft, indem über das Laufwerk
                verteilte Blöcke zurückgelesen werden: jeder muss sich geändert haben.
  --unmount     die auf den Laufwerken eingehängten Volumes aushängen (sie werden zuerst
                genannt)
  --resume      das unterbrochene Löschen jedes Laufwerks fortsetzen, mit seiner Stufe und
                seinem Rücklesen
  --yes         nicht nach einer Bestätigung fragen
  --bundle D    das Bundle KorvaneLoader.app (oder KORVANE_BUNDLE)
Das Überschreiben eines SSD-Laufwerks erreicht weder die Blöcke, die es in Reserve hält,
noch einen hinter dem sichtbaren Ende verborgenen Bereich (Host Protected Area,
Device Configuration Overlay); ein Sanitize durch die Firmware erreicht beides. Der Plan
sagt, was für jedes Laufwerk gilt.
Rückgabewert: 0, wenn das Laufwerk überschrieben und wie gewünscht zurückgelesen wurde,
1, wenn es fehlschlug oder abgelehnt wurde, 2 bei falschem Aufruf.
</translation>
    </message>
    <message>
        <source>usage: korvane duplicates DIR [--hidden] [--system] [--json] [--threads N]
       korvane duplicates DIR --delete keep-newest|keep-oldest [--method M] [--yes]
Finds files (and application bundles, folders named *.app) of identical content under DIR:
same size, same CRC-64 of the first 1024 bytes and of the whole content. Groups are listed
in the search&apos;s order, each with its size and the space its extra copies take.
  --hidden        search hidden files and folders too
  --system        search the system folders too when DIR is /
  --json          JSON output
  --threads N     threads reading files (default: the number of cores)
  --delete RULE   delete all copies but the newest (keep-newest) or the oldest (keep-oldest)
                  of each group; every copy is compared byte for byte with the kept one first
  --method M      trash (default: the Trash of the user the program works for), remove, or
                  erase (overwrite securely with the stored erasure level)
  --yes           do not ask before deleting
  --bundle D      the KorvaneLoader.app bundle (or KORVANE_BUNDLE), for --method erase
Other names of one file (hard links) and copy-on-write copies sharing all their data are
marked as such: removing them frees nothing, and they are never deleted against each other.
Pseudo file systems (proc, sysfs...) are never entered.
With --delete each copy&apos;s line (Removed PATH, or Kept PATH: why) is printed when the run
ends, a stopped run included. Exit status: 0 when every planned copy went, 1 when any
stayed, 2 for bad usage.
</source>
        <translation>Aufruf: korvane duplicates ORDNER [--hidden] [--system] [--json] [--threads N]
        korvane duplicates ORDNER --delete keep-newest|keep-oldest [--method M] [--yes]
Findet Dateien (und Anwendungs-Bundles, Ordner namens *.app) mit identischem Inhalt unter
ORDNER: gleiche Größe, gleiche CRC-64 der ersten 1024 Byte und des ganzen Inhalts. Gruppen
werden in der Reihenfolge der Suche aufgelistet, jede mit ihrer Größe und dem Platz, den
ihre zusätzlichen Kopien belegen.
  --hidden        auch versteckte Dateien und Ordner durchsuchen
  --system        auch die Systemordner durchsuchen, wenn ORDNER / ist
  --json          Ausgabe als JSON
  --threads N     Threads, die Dateien lesen (Standard: die Anzahl der Kerne)
  --delete REGEL  alle Kopien außer der neuesten (keep-newest) oder der ältesten
                  (keep-oldest) jeder Gruppe löschen; jede Kopie wird vorher Byte für Byte
                  mit der behaltenen verglichen
  --method M      trash (Standard: der Papierkorb des Benutzers, für den das Programm
                  arbeitet), remove oder erase (sicher überschreiben mit der gespeicherten
                  Löschstufe)
  --yes           vor dem Löschen nicht nachfragen
  --bundle D      das Bundle KorvaneLoader.app (oder KORVANE_BUNDLE), für --method erase
Weitere Namen einer Datei (harte Links) und Copy-on-Write-Kopien, die alle Daten teilen,
werden als solche gekennzeichnet: sie zu entfernen gibt nichts frei, und sie werden nie
gegeneinander gelöscht. Pseudo-Dateisysteme (proc, sysfs ...) werden nie betreten.
Mit --delete wird die Zeile jeder Kopie (Entfernt: PFAD oder Behalten: PFAD: Grund) am Ende
des Laufs ausgegeben, auch bei einem abgebrochenen Lauf. Rückgabewert: 0, wenn jede
geplante Kopie entfernt wurde, 1, wenn eine blieb, 2 bei falschem Aufruf.
</translation>
    </message>
    <message>
        <source>usage: korvane erase [--level 1|2|3|7|35] [--yes] [--force] [--bundle DIR] PATH...
Overwrites and removes each PATH; folders with everything inside them.
  --level N   erasure standard by its number of passes (default: the stored level)
  --yes       do not ask for confirmation
  --force     also erase a home folder, a folder the system needs or a mount point
  --bundle D  the KorvaneLoader.app bundle holding the srm tool (or KORVANE_BUNDLE)
Symbolic links are removed as links; what they point to is left alone. Mounts inside a
folder (bind mounts too) are never entered. A file with other hard links is left whole.
Overwriting cannot reach copies the file system or the device keeps elsewhere
(copy-on-write volumes, journals, snapshots, remapped sectors of solid-state disks).
Exit status: 0 when every path was erased and recorded in the history, 1 when anything
failed or was refused, or the erasure could not be recorded (history locked or damaged),
2 for bad usage.
</source>
        <translation>Aufruf: korvane erase [--level 1|2|3|7|35] [--yes] [--force] [--bundle DIR] PFAD...
Überschreibt und entfernt jeden PFAD; Ordner mit allem, was sie enthalten.
  --level N   Löschstandard nach seiner Zahl an Durchgängen (Standard: die gespeicherte
              Stufe)
  --yes       nicht nach einer Bestätigung fragen
  --force     auch einen persönlichen Ordner, einen vom System benötigten Ordner oder
              einen Einhängepunkt löschen
  --bundle D  das Bundle KorvaneLoader.app mit dem Werkzeug srm (oder KORVANE_BUNDLE)
Symbolische Links werden als Links entfernt; ihr Ziel bleibt unberührt. Eingehängte
Dateisysteme in einem Ordner (auch Bind-Mounts) werden nie betreten. Eine Datei mit
weiteren harten Links bleibt ganz erhalten.
Überschreiben erreicht keine Kopien, die das Dateisystem oder das Gerät anderswo aufbewahrt
(Copy-on-Write-Volumes, Journale, Snapshots, umgelagerte Sektoren von SSDs).
Rückgabewert: 0, wenn jeder Pfad gelöscht und im Verlauf vermerkt wurde, 1, wenn etwas
fehlschlug oder abgelehnt wurde oder das Löschen nicht vermerkt werden konnte (Verlauf
gesperrt oder beschädigt), 2 bei falschem Aufruf.
</translation>
    </message>
    <message>
        <source>usage: korvane history [--bundle DIR]            list the entries, newest first
       korvane history show KEY                  the lines of one entry
       korvane history export KEY FILE           write one entry as an HTML report
                                                 (FILE - writes to standard output;
                                                 an existing FILE only with --force)
       korvane history certificate KEY [--json|--html|--pdf] [FILE] [--force]
                                                 the entry&apos;s signed erasure certificate
                                                 (JSON unless FILE&apos;s extension or an
                                                 option says otherwise; no FILE or -:
                                                 standard output; written readable by
                                                 you only; an existing FILE only with
                                                 --force)
       korvane history delete KEY [--yes]        remove one entry
       korvane history clear [--yes]             remove every entry
                                                 (both ask first; without --yes, only
                                                 on a terminal)
       korvane history repair [--yes]            keep a damaged history aside (renamed
                                                 DataBase.db.damaged-DATE, same folder)
                                                 and start a new, empty one; asks first
                                                 (without --yes, only on a terminal)
KEY is an entry&apos;s time as listed, e.g. &quot;2024-03-05 14-07-09&quot; (quote the blank).
  --bundle D  the KorvaneLoader.app bundle (or KORVANE_BUNDLE)
Exit status: 0 done; 1 failed or refused, also when the history cannot be read (locked
by another program, damaged, or missing: the message names the file); 2 usage error.
A locked history is waited for 3 seconds (KORVANE_HISTORY_WAIT_MS sets milliseconds).
</source>
        <translation>Aufruf: korvane history [--bundle DIR]            die Einträge auflisten, neueste zuerst
        korvane history show KEY                  die Zeilen eines Eintrags
        korvane history export KEY DATEI          einen Eintrag als HTML-Bericht schreiben
                                                  (DATEI - schreibt auf die Standardausgabe;
                                                  eine vorhandene DATEI nur mit --force)
        korvane history certificate KEY [--json|--html|--pdf] [DATEI] [--force]
                                                  das signierte Löschzertifikat des Eintrags
                                                  (JSON, außer die Endung der DATEI oder
                                                  eine Option sagt anderes; keine DATEI
                                                  oder -: Standardausgabe; nur für Sie
                                                  lesbar geschrieben; eine vorhandene
                                                  DATEI nur mit --force)
        korvane history delete KEY [--yes]        einen Eintrag entfernen
        korvane history clear [--yes]             jeden Eintrag entfernen
                                                  (beide fragen vorher; ohne --yes nur
                                                  in einem Terminal)
        korvane history repair [--yes]            einen beschädigten Verlauf beiseitelegen
                                                  (umbenannt in DataBase.db.damaged-DATUM,
                                                  gleicher Ordner) und einen neuen, leeren
                                                  beginnen; fragt vorher (ohne --yes nur
                                                  in einem Terminal)
KEY ist die Zeit eines Eintrags wie aufgelistet, z. B. &quot;2024-03-05 14-07-09&quot; (das
Leerzeichen in Anführungszeichen setzen).
  --bundle D  das Bundle KorvaneLoader.app (oder KORVANE_BUNDLE)
Rückgabewert: 0 erledigt; 1 fehlgeschlagen oder abgelehnt, auch wenn der Verlauf nicht
gelesen werden kann (von einem anderen Programm gesperrt, beschädigt oder fehlend: die
Meldung nennt die Datei); 2 falscher Aufruf.
Auf einen gesperrten Verlauf wird 3 Sekunden gewartet (KORVANE_HISTORY_WAIT_MS setzt
Millisekunden).
</translation>
    </message>
    <message>
        <source>usage: korvane COMMAND [ARGS]

commands:
  erase PATH...   overwrite and remove files and folders
  history         list, show, export, delete or repair erasure history;
                  the signed certificate of an entry
  certificate     verify certificates; show or import the signing key
  settings        the organisation, operator and validator certificates name
  volumes         list the mounted volumes
  wipe-free-space MOUNTPOINT  overwrite the free space of a volume
  wipe-volume DEVICE  erase everything on a volume
  wipe-drive DEVICE...  overwrite every byte of drives or partitions, read back
  apps            list, inspect and remove applications
  disks           list the disks and their volumes
  format DEVICE FS NAME  make a new, empty file system on a volume, partition or disk
  rename DEVICE NAME     name a volume
  mount, unmount, eject DEVICE
  copy SOURCE... DESTINATION  copy files and folders, checked
  update-check    ask whether a newer version is out
  browsers        list and remove browser history, cookies, caches
  duplicates DIR  find (and delete) duplicate files under a folder
  --version       print the version and exit

&apos;korvane COMMAND --help&apos; describes each command.
</source>
        <translation>Aufruf: korvane BEFEHL [ARGUMENTE]

Befehle:
  erase PFAD...   Dateien und Ordner überschreiben und entfernen
  history         den Löschverlauf auflisten, zeigen, exportieren, löschen oder
                  reparieren; das signierte Zertifikat eines Eintrags
  certificate     Zertifikate prüfen; den Signaturschlüssel zeigen oder importieren
  settings        Organisation, Bearbeiter und Prüfer, die Zertifikate nennen
  volumes         die eingehängten Volumes auflisten
  wipe-free-space EINHÄNGEPUNKT  den freien Speicher eines Volumes überschreiben
  wipe-volume GERÄT  alles auf einem Volume löschen
  wipe-drive GERÄT...  jedes Byte von Laufwerken oder Partitionen überschreiben,
                  zurücklesen
  apps            Anwendungen auflisten, untersuchen und entfernen
  disks           die Datenträger und ihre Volumes auflisten
  format GERÄT DS NAME  ein neues, leeres Dateisystem auf einem Volume, einer
                  Partition oder einem Datenträger anlegen
  rename GERÄT NAME     ein Volume benennen
  mount, unmount, eject GERÄT
  copy QUELLE... ZIEL  Dateien und Ordner geprüft kopieren
  update-check    nachfragen, ob eine neuere Version erschienen ist
  browsers        Browserverlauf, Cookies und Caches auflisten und entfernen
  duplicates ORDNER  doppelte Dateien unter einem Ordner finden (und löschen)
  --version       die Version ausgeben und beenden

&apos;korvane BEFEHL --help&apos; beschreibt jeden Befehl.
</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos;</source>
        <translation>unbekannter Befehl „%1“</translation>
    </message>
    <message>
        <source>usage: korvane settings [--bundle DIR]            list the certificate fields
       korvane settings FIELD                     print one
       korvane settings FIELD VALUE               store one (&quot;&quot; clears it)
FIELD: organisation, operator (who erases), validator (who checks the erasure),
location. Each certificate names them as they were when the erasure ran.
  --bundle D  the KorvaneLoader.app bundle (or KORVANE_BUNDLE)
</source>
        <translation>Aufruf: korvane settings [--bundle DIR]            die Zertifikatsfelder auflisten
        korvane settings FELD                      eines ausgeben
        korvane settings FELD WERT                 eines speichern (&quot;&quot; leert es)
FELD: organisation, operator (wer löscht), validator (wer das Löschen prüft), location.
Jedes Zertifikat nennt sie so, wie sie beim Löschen waren.
  --bundle D  das Bundle KorvaneLoader.app (oder KORVANE_BUNDLE)
</translation>
    </message>
    <message>
        <source>usage: korvane update-check [--address URL]
Asks the version file at the address set for the update check (in the About window), or
at URL for this check only, whether a newer version is out. URL is not stored. Nothing is
downloaded or installed.
Exit status: 0 up to date, 3 a newer version is available, 1 the check failed.
</source>
        <translation>Aufruf: korvane update-check [--address URL]
Fragt die Versionsdatei unter der für die Update-Prüfung eingestellten Adresse (im Fenster
„Über“) oder nur für diese Prüfung unter URL, ob eine neuere Version erschienen ist. URL
wird nicht gespeichert. Es wird nichts heruntergeladen oder installiert.
Rückgabewert: 0 aktuell, 3 eine neuere Version ist verfügbar, 1 die Prüfung schlug fehl.
</translation>
    </message>
    <message>
        <source>usage: korvane volumes [--json] [--bundle DIR]
Lists the mounted volumes: name, file system, device, mount point, size and free space.
  --json      one JSON array, sizes in bytes as well
  --bundle D  the KorvaneLoader.app bundle (or KORVANE_BUNDLE)
</source>
        <translation>Aufruf: korvane volumes [--json] [--bundle DIR]
Listet die eingehängten Volumes auf: Name, Dateisystem, Gerät, Einhängepunkt, Größe und
freier Speicher.
  --json      ein JSON-Array, Größen auch in Byte
  --bundle D  das Bundle KorvaneLoader.app (oder KORVANE_BUNDLE)
</translation>
    </message>
    <message>
        <source>usage: korvane wipe-free-space MOUNTPOINT [--level 1|2|3|7|35] [--yes] [--bundle DIR]
Overwrites the free space of the volume mounted at MOUNTPOINT (or named by its device or
volume name): it is filled with throw-away files, once per pass, and they are deleted.
Files on the volume are not touched. The fill files go in a work folder of the wipe&apos;s own
at the volume&apos;s root (.Korvane, or .Korvane-2... when that name is taken by something else,
which is left as it is). A second wipe of the same volume is refused while one runs.
Stopped, the wipe removes its files; the free space is then not overwritten to the end.
  --level N   passes, by the erasure standard&apos;s number (default: the stored level)
  --yes       do not ask for confirmation
  --bundle D  the KorvaneLoader.app bundle (or KORVANE_BUNDLE)
Exit status: 0 when the wipe ended well, 1 when it failed or was refused, 2 for bad usage.
</source>
        <translation>Aufruf: korvane wipe-free-space EINHÄNGEPUNKT [--level 1|2|3|7|35] [--yes] [--bundle DIR]
Überschreibt den freien Speicher des unter EINHÄNGEPUNKT eingehängten Volumes (oder des
mit seinem Gerät oder Volumenamen genannten): er wird einmal je Durchgang mit
Wegwerfdateien gefüllt, die danach gelöscht werden. Dateien auf dem Volume bleiben
unberührt. Die Fülldateien liegen in einem eigenen Arbeitsordner des Löschvorgangs im
Wurzelordner des Volumes (.Korvane oder .Korvane-2 ..., wenn der Name schon von etwas
anderem belegt ist, das unverändert bleibt). Ein zweites Löschen desselben Volumes wird
abgelehnt, solange eines läuft. Abgebrochen, entfernt das Löschen seine Dateien; der freie
Speicher ist dann nicht bis zum Ende überschrieben.
  --level N   Durchgänge, nach der Nummer des Löschstandards (Standard: die gespeicherte
              Stufe)
  --yes       nicht nach einer Bestätigung fragen
  --bundle D  das Bundle KorvaneLoader.app (oder KORVANE_BUNDLE)
Rückgabewert: 0, wenn das Löschen gut endete, 1, wenn es fehlschlug oder abgelehnt wurde,
2 bei falschem Aufruf.
</translation>
    </message>
    <message>
        <source>usage: korvane wipe-volume DEVICE|MOUNTPOINT [--level 1|2|3|7|35] [--yes] [--bundle DIR]
Erases everything on the volume: it is formatted anew (same type and name; NTFS becomes
MS-DOS FAT32 &quot;NEW&quot;), and its whole free space is then overwritten, once per pass.
The start-up volume and the volumes the system needs are refused. Stopped once the volume
is formatted, it says so: the volume is then empty, but its free space not overwritten.
  --level N   passes, by the erasure standard&apos;s number (default: the stored level)
  --yes       do not ask for confirmation
  --bundle D  the KorvaneLoader.app bundle (or KORVANE_BUNDLE)
Exit status: 0 when the wipe ended well, 1 when it failed or was refused, 2 for bad usage.
</source>
        <translation>Aufruf: korvane wipe-volume GERÄT|EINHÄNGEPUNKT [--level 1|2|3|7|35] [--yes] [--bundle DIR]
Löscht alles auf dem Volume: es wird neu formatiert (gleicher Typ und Name; aus NTFS wird
MS-DOS FAT32 &quot;NEW&quot;), dann wird sein ganzer freier Speicher einmal je Durchgang
überschrieben. Das Startvolume und die Volumes, die das System braucht, werden abgelehnt.
Wird es abgebrochen, nachdem das Volume formatiert ist, sagt es das: das Volume ist dann
leer, sein freier Speicher aber nicht überschrieben.
  --level N   Durchgänge, nach der Nummer des Löschstandards (Standard: die gespeicherte
              Stufe)
  --yes       nicht nach einer Bestätigung fragen
  --bundle D  das Bundle KorvaneLoader.app (oder KORVANE_BUNDLE)
Rückgabewert: 0, wenn das Löschen gut endete, 1, wenn es fehlschlug oder abgelehnt wurde,
2 bei falschem Aufruf.
</translation>
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
    <name>CopyCommand</name>
    <message>
        <source>Removed %1 (%2)</source>
        <translation>Entfernt: %1 (%2)</translation>
    </message>
    <message>
        <source>Left %1: named like a partial file, but not marked as a copy&apos;s</source>
        <translation>Belassen: %1: wie eine Teildatei benannt, aber nicht als Teildatei einer Kopie markiert</translation>
    </message>
    <message>
        <source>Left %1: a copy still running is writing it</source>
        <translation>Belassen: %1: eine noch laufende Kopie schreibt sie</translation>
    </message>
    <message>
        <source>Failed %1: %2</source>
        <translation>Fehlgeschlagen %1: %2</translation>
    </message>
    <message>
        <source>No partial file of a stopped copy was found under %1</source>
        <translation>Unter %1 wurde keine Teildatei einer abgebrochenen Kopie gefunden</translation>
    </message>
    <message numerus="yes">
        <source>Removed %n partial file(s) (%1) that stopped copies had left under %2</source>
        <extracomment>%1 is the size, %2 the folder.</extracomment>
        <translation>
            <numerusform>%n Teildatei (%1) entfernt, die abgebrochene Kopien unter %2 hinterlassen hatten</numerusform>
            <numerusform>%n Teildateien (%1) entfernt, die abgebrochene Kopien unter %2 hinterlassen hatten</numerusform>
        </translation>
    </message>
    <message>
        <source>--existing takes skip, replace or keep-both</source>
        <translation>--existing nimmt skip, replace oder keep-both</translation>
    </message>
    <message>
        <source>--clean takes one destination folder alone</source>
        <translation>--clean nimmt nur einen einzigen Zielordner</translation>
    </message>
    <message>
        <source>%1 exists: skip, replace or keep both? [s/r/k]</source>
        <extracomment>The letters in brackets are the answers (the same as the next message&apos;s).</extracomment>
        <translation>%1 ist vorhanden: überspringen, ersetzen oder beide behalten? [ü/e/b]</translation>
    </message>
    <message>
        <source>rk</source>
        <extracomment>The letters for replace and keep both, in that order, as in the question.</extracomment>
        <translation>eb</translation>
    </message>
    <message>
        <source>Answer taken as replace.</source>
        <translation>Antwort als „ersetzen“ verstanden.</translation>
    </message>
    <message>
        <source>Answer taken as keep both.</source>
        <translation>Antwort als „beide behalten“ verstanden.</translation>
    </message>
    <message>
        <source>Answer taken as skip.</source>
        <translation>Antwort als „überspringen“ verstanden.</translation>
    </message>
    <message>
        <source>replacing</source>
        <extracomment>&quot;not replacing without confirmation&quot;: German needs the participle (&quot;ersetzt&quot;).</extracomment>
        <translation>ersetzt</translation>
    </message>
    <message>
        <source>replace</source>
        <translation>ersetzen</translation>
    </message>
    <message>
        <source>Nothing was copied.</source>
        <translation>Es wurde nichts kopiert.</translation>
    </message>
</context>
<context>
    <name>CopyFilesOperation</name>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 ist kein Ordner</translation>
    </message>
    <message>
        <source>%1 cannot be written</source>
        <translation>%1 ist nicht beschreibbar</translation>
    </message>
    <message>
        <source>%1: no such file or folder</source>
        <translation>%1: Datei oder Ordner nicht vorhanden</translation>
    </message>
    <message>
        <source>Files of the same name in %1 are replaced.</source>
        <translation>Gleichnamige Dateien in %1 werden ersetzt.</translation>
    </message>
    <message>
        <source>Nothing was copied.</source>
        <translation>Es wurde nichts kopiert.</translation>
    </message>
    <message>
        <source>kept as it was</source>
        <translation>unverändert belassen</translation>
    </message>
    <message>
        <source>not copied</source>
        <translation>nicht kopiert</translation>
    </message>
    <message>
        <source>a partial file of this copy could not be removed</source>
        <translation>eine Teildatei dieser Kopie konnte nicht entfernt werden</translation>
    </message>
</context>
<context>
    <name>CopyReportFormatter</name>
    <message>
        <source>Replace them? This cannot be undone.</source>
        <translation>Ersetzen? Das kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>%1; nothing was copied</source>
        <translation>%1; es wurde nichts kopiert</translation>
    </message>
    <message>
        <source>Failed %1: %2</source>
        <translation>Fehlgeschlagen %1: %2</translation>
    </message>
    <message>
        <source>Left %1: this partial file could not be removed</source>
        <translation>Belassen: %1: diese Teildatei konnte nicht entfernt werden</translation>
    </message>
    <message>
        <source>the files counted above as copied are whole; the others were not copied</source>
        <translation>die oben als kopiert gezählten Dateien sind vollständig; die anderen wurden nicht kopiert</translation>
    </message>
</context>
<context>
    <name>DeleteDuplicatesOperation</name>
    <message>
        <source>%1 stays: its group would keep no other copy of it</source>
        <translation>%1 bleibt: seine Gruppe behielte sonst keine andere Kopie davon</translation>
    </message>
    <message>
        <source>Nothing was deleted.</source>
        <translation>Es wurde nichts gelöscht.</translation>
    </message>
</context>
<context>
    <name>DeleteHistoryOperation</name>
    <message>
        <source>no history entry &quot;%1&quot;</source>
        <translation>kein Verlaufseintrag „%1“</translation>
    </message>
    <message>
        <source>Nothing was deleted.</source>
        <translation>Es wurde nichts gelöscht.</translation>
    </message>
</context>
<context>
    <name>DestructiveOperation</name>
    <message>
        <source>Not confirmed. %1</source>
        <translation>Nicht bestätigt. %1</translation>
    </message>
</context>
<context>
    <name>DiskCopyJob</name>
    <message>
        <source>the link is too long</source>
        <translation>der Link ist zu lang</translation>
    </message>
    <message>
        <source>the copy could not be read back: %1</source>
        <translation>die Kopie konnte nicht zurückgelesen werden: %1</translation>
    </message>
    <message>
        <source>the copy read back differs from the original</source>
        <translation>die zurückgelesene Kopie weicht vom Original ab</translation>
    </message>
    <message>
        <source>%1 is in the way and is not a folder</source>
        <translation>%1 ist im Weg und ist kein Ordner</translation>
    </message>
    <message>
        <source>not a file, folder or link (a device, fifo or socket)</source>
        <translation>weder Datei noch Ordner noch Link (ein Gerät, eine FIFO oder ein Socket)</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 ist kein Ordner</translation>
    </message>
    <message>
        <source>the destination %1 lies inside %2, which would copy itself</source>
        <translation>das Ziel %1 liegt in %2, das sich damit selbst kopieren würde</translation>
    </message>
    <message>
        <source>the destination has %1 bytes free; the selection needs %2 bytes</source>
        <translation>das Ziel hat %1 Byte frei; die Auswahl braucht %2 Byte</translation>
    </message>
</context>
<context>
    <name>DiskCopySummary</name>
    <message>
        <source>nothing copied</source>
        <translation>nichts kopiert</translation>
    </message>
    <message>
        <source>%1 not copied (%2)</source>
        <translation>%1 nicht kopiert (%2)</translation>
    </message>
    <message>
        <source>%1 skipped</source>
        <translation>%1 übersprungen</translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>%1 fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1 of this copy could not be removed: %2.</source>
        <translation>%1 dieser Kopie konnte nicht entfernt werden: %2.</translation>
    </message>
    <message>
        <source>No partial file was left.</source>
        <translation>Es blieb keine Teildatei zurück.</translation>
    </message>
    <message>
        <source>Removed %1 that this copy had made and left empty.</source>
        <translation>%1 entfernt, die diese Kopie angelegt und leer gelassen hatte.</translation>
    </message>
    <message>
        <source>Removed %1 (%2) that a stopped copy had left.</source>
        <translation>%1 (%2) entfernt, die eine abgebrochene Kopie hinterlassen hatte.</translation>
    </message>
    <message>
        <source>%1 that a stopped copy had left could not be removed: %2: %3.</source>
        <translation>%1, die eine abgebrochene Kopie hinterlassen hatte, konnte nicht entfernt werden: %2: %3.</translation>
    </message>
    <message>
        <source>%1 of another copy still running were left to it.</source>
        <translation>%1 einer anderen, noch laufenden Kopie wurde ihr überlassen.</translation>
    </message>
    <message numerus="yes">
        <source>%n partial file(s)</source>
        <translation>
            <numerusform>%n Teildatei</numerusform>
            <numerusform>%n Teildateien</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 copied and verified (%2)</source>
        <translation>%1 kopiert und geprüft (%2)</translation>
    </message>
    <message>
        <source>%1 copied (%2)</source>
        <translation>%1 kopiert (%2)</translation>
    </message>
    <message>
        <source>Cancelled: %1</source>
        <translation>Abgebrochen: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n folder(s)</source>
        <translation>
            <numerusform>%n Ordner</numerusform>
            <numerusform>%n Ordner</numerusform>
        </translation>
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
    <name>DisksCommand</name>
    <message>
        <source>formatting</source>
        <extracomment>&quot;not formatting without confirmation&quot;: German needs the participle (&quot;formatiert&quot;).</extracomment>
        <translation>formatiert</translation>
    </message>
    <message>
        <source>format</source>
        <translation>formatieren</translation>
    </message>
    <message>
        <source>Nothing was changed.</source>
        <translation>Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>no disks found</source>
        <translation>keine Datenträger gefunden</translation>
    </message>
    <message>
        <source>, removable</source>
        <translation>, wechselbar</translation>
    </message>
    <message>
        <source>, solid state</source>
        <translation>, SSD</translation>
    </message>
    <message>
        <source>, %1/%2-byte sectors</source>
        <translation>, Sektoren mit %1/%2 Byte</translation>
    </message>
    <message>
        <source>serial %1</source>
        <translation>Seriennummer %1</translation>
    </message>
    <message>
        <source>(not mounted)</source>
        <translation>(nicht eingehängt)</translation>
    </message>
    <message>
        <source>volumes cannot be formatted to &apos;%1&apos; here; choose one of: %2</source>
        <translation>Volumes können hier nicht als „%1“ formatiert werden; wählen Sie eines von: %2</translation>
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
    <name>DriveWipeCommand</name>
    <message>
        <source>--verify takes last, all, sample:PERCENT or none</source>
        <translation>--verify nimmt last, all, sample:PROZENT oder none</translation>
    </message>
    <message>
        <source>--method takes overwrite, sanitize or auto</source>
        <translation>--method nimmt overwrite, sanitize oder auto</translation>
    </message>
    <message>
        <source>--resume goes on with the overwrite, level and reading back the wipe began with; leave out --level, --verify and --method</source>
        <translation>--resume setzt das Überschreiben mit der Stufe und dem Rücklesen fort, mit denen es begann; lassen Sie --level, --verify und --method weg</translation>
    </message>
    <message>
        <source>unmount it and wipe the drive</source>
        <translation>es auszuhängen und das Laufwerk zu löschen</translation>
    </message>
    <message>
        <source>wiping</source>
        <extracomment>&quot;not wiping without confirmation&quot;: German needs the participle (&quot;gelöscht&quot;).</extracomment>
        <translation>gelöscht</translation>
    </message>
    <message>
        <source>wipe</source>
        <translation>löschen</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>Stopping after the chunk under way…</source>
        <translation>Abbruch nach dem laufenden Abschnitt …</translation>
    </message>
</context>
<context>
    <name>DriveWipeMeter</name>
    <message>
        <source>%1 s</source>
        <translation>%1 s</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 min %2 s</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 h %2 min</translation>
    </message>
    <message>
        <source>Waiting to start…</source>
        <translation>Warten auf den Start …</translation>
    </message>
    <message>
        <source>Pass %1 of %2</source>
        <translation>Durchgang %1 von %2</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>Reading back</source>
        <translation>Zurücklesen</translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>noch %1</translation>
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
    <name>DuplicatesCommand</name>
    <message>
        <source>hard link of %1</source>
        <translation>harter Link auf %1</translation>
    </message>
    <message>
        <source>shares all its data with %1</source>
        <translation>teilt alle Daten mit %1</translation>
    </message>
    <message>
        <source>the same file as %1</source>
        <translation>dieselbe Datei wie %1</translation>
    </message>
    <message>
        <source>--threads takes a number above 0</source>
        <translation>--threads nimmt eine Zahl größer 0</translation>
    </message>
    <message>
        <source>--delete takes keep-newest or keep-oldest</source>
        <translation>--delete nimmt keep-newest oder keep-oldest</translation>
    </message>
    <message>
        <source>--method takes trash, remove or erase</source>
        <translation>--method nimmt trash, remove oder erase</translation>
    </message>
    <message>
        <source>%1 is not a folder</source>
        <translation>%1 ist kein Ordner</translation>
    </message>
    <message numerus="yes">
        <source>%n copies of %1 (%2 bytes), %3 wasted:</source>
        <extracomment>%1 the size, %2 the exact count of bytes, %3 the space the copies take.</extracomment>
        <translation>
            <numerusform>%n Kopie von %1 (%2 Byte), %3 verschwendet:</numerusform>
            <numerusform>%n Kopien von %1 (%2 Byte), %3 verschwendet:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n identical bundle(s) of %1:</source>
        <translation>
            <numerusform>%n identisches Bundle mit %1:</numerusform>
            <numerusform>%n identische Bundles mit %1:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n group(s)</source>
        <translation>
            <numerusform>%n Gruppe</numerusform>
            <numerusform>%n Gruppen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file(s), %1 wasted</source>
        <translation>
            <numerusform>%n Datei, %1 verschwendet</numerusform>
            <numerusform>%n Dateien, %1 verschwendet</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n bundle group(s), %1 wasted</source>
        <translation>
            <numerusform>%n Bundle-Gruppe, %1 verschwendet</numerusform>
            <numerusform>%n Bundle-Gruppen, %1 verschwendet</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>(%n file(s) compared)</source>
        <translation>
            <numerusform>(%n Datei verglichen)</numerusform>
            <numerusform>(%n Dateien verglichen)</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2; %3 %4</source>
        <extracomment>Joins the counts: &quot;2 groups, 5 files, 1.00 KB wasted; 0 bundle groups, ... (9 files compared)&quot;.</extracomment>
        <translation>%1, %2; %3 %4</translation>
    </message>
    <message>
        <source>deleting</source>
        <extracomment>&quot;not deleting without confirmation&quot;: German needs the participle (&quot;gelöscht&quot;).</extracomment>
        <translation>gelöscht</translation>
    </message>
    <message>
        <source>delete</source>
        <translation>löschen</translation>
    </message>
    <message>
        <source>Nothing was deleted.</source>
        <translation>Es wurde nichts gelöscht.</translation>
    </message>
    <message>
        <source>Cancelling: finishing the copy under way...</source>
        <translation>Abbruch: die laufende Kopie wird noch fertig bearbeitet ...</translation>
    </message>
</context>
<context>
    <name>DuplicatesDeleteFormatter</name>
    <message>
        <source>moved to the Trash</source>
        <translation>in den Papierkorb verschoben</translation>
    </message>
    <message>
        <source>removed</source>
        <translation>entfernt</translation>
    </message>
    <message>
        <source>erased securely</source>
        <translation>sicher gelöscht</translation>
    </message>
    <message>
        <source>These copies will be %1:</source>
        <extracomment>%1 says how: &quot;moved to the Trash&quot;, &quot;removed&quot;, &quot;erased securely&quot;.</extracomment>
        <translation>Diese Kopien werden %1:</translation>
    </message>
    <message>
        <source>(keeping %1)</source>
        <translation>(%1 bleibt erhalten)</translation>
    </message>
    <message>
        <source>Delete them?</source>
        <translation>Löschen?</translation>
    </message>
    <message>
        <source>Delete them? This cannot be undone.</source>
        <translation>Löschen? Das kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>Nothing to delete.</source>
        <translation>Nichts zu löschen.</translation>
    </message>
    <message>
        <source>Removed %1</source>
        <translation>Entfernt: %1</translation>
    </message>
    <message>
        <source>Kept %1: %2</source>
        <translation>Behalten: %1: %2</translation>
    </message>
    <message numerus="yes">
        <source>%n removed (%1), %2 not removed, %3 freed once the Trash is emptied</source>
        <extracomment>%1 says how, %2 counts those not removed, %3 is a size.</extracomment>
        <translation>
            <numerusform>%n entfernt (%1), %2 nicht entfernt, %3 frei, sobald der Papierkorb geleert ist</numerusform>
            <numerusform>%n entfernt (%1), %2 nicht entfernt, %3 frei, sobald der Papierkorb geleert ist</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n removed (%1), %2 not removed, %3 freed</source>
        <translation>
            <numerusform>%n entfernt (%1), %2 nicht entfernt, %3 freigegeben</numerusform>
            <numerusform>%n entfernt (%1), %2 nicht entfernt, %3 freigegeben</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n copies removed; the %2 listed as kept and the %3 not reached stay where they are.</source>
        <extracomment>%1 removed, %2 kept, %3 not reached.</extracomment>
        <translation>
            <numerusform>%1 von %n Kopie entfernt; die %2 als behalten aufgeführten und die %3 nicht erreichten bleiben, wo sie sind.</numerusform>
            <numerusform>%1 von %n Kopien entfernt; die %2 als behalten aufgeführten und die %3 nicht erreichten bleiben, wo sie sind.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>EraseCommand</name>
    <message>
        <source>no path given</source>
        <translation>kein Pfad angegeben</translation>
    </message>
    <message>
        <source>%1; nothing was erased</source>
        <translation>%1; es wurde nichts gelöscht</translation>
    </message>
    <message>
        <source>erasing</source>
        <extracomment>&quot;not erasing without confirmation&quot;: German needs the participle (&quot;gelöscht&quot;).</extracomment>
        <translation>gelöscht</translation>
    </message>
    <message>
        <source>erase</source>
        <translation>löschen</translation>
    </message>
    <message>
        <source>Nothing was erased.</source>
        <translation>Es wurde nichts gelöscht.</translation>
    </message>
    <message>
        <source>Cancelling: finishing the pass under way, then removing that file...</source>
        <translation>Abbruch: der laufende Durchgang wird beendet, dann wird diese Datei entfernt ...</translation>
    </message>
</context>
<context>
    <name>EraseFilesOperation</name>
    <message>
        <source>%1: no such file or folder</source>
        <translation>%1: Datei oder Ordner nicht vorhanden</translation>
    </message>
    <message>
        <source>files on solid-state storage get 1 pass</source>
        <translation>Dateien auf SSD-Speicher erhalten 1 Durchgang</translation>
    </message>
    <message>
        <source>Nothing was erased.</source>
        <translation>Es wurde nichts gelöscht.</translation>
    </message>
</context>
<context>
    <name>ErasePathCheck</name>
    <message>
        <source>refusing to erase an empty path: it names nothing (an unset variable?); nothing was erased</source>
        <translation>Löschen eines leeren Pfads abgelehnt: er benennt nichts (eine nicht gesetzte Variable?); es wurde nichts gelöscht</translation>
    </message>
    <message>
        <source>refusing to erase &apos;%1&apos;: a path ending in &apos;.&apos; or &apos;..&apos; names a folder above what was meant; name the folder itself</source>
        <translation>Löschen von „%1“ abgelehnt: ein Pfad, der auf „.“ oder „..“ endet, benennt einen Ordner oberhalb des Gemeinten; nennen Sie den Ordner selbst</translation>
    </message>
    <message>
        <source>refusing to erase the root folder &quot;/&quot; (%1)</source>
        <translation>Löschen des Wurzelordners „/“ abgelehnt (%1)</translation>
    </message>
    <message>
        <source>refusing to erase %1: it holds or is part of this program&apos;s own files (%2)</source>
        <translation>Löschen von %1 abgelehnt: es enthält eigene Dateien dieses Programms oder gehört dazu (%2)</translation>
    </message>
    <message>
        <source>%1: no such file or folder</source>
        <translation>%1: Datei oder Ordner nicht vorhanden</translation>
    </message>
    <message>
        <source>%1 is on an %2 volume; files are not erased on NTFS volumes</source>
        <translation>%1 liegt auf einem %2-Volume; auf NTFS-Volumes werden keine Dateien gelöscht</translation>
    </message>
    <message>
        <source>%1 is the home folder of %2: erasing it removes everything of that user</source>
        <translation>%1 ist der persönliche Ordner von %2: Löschen entfernt alles dieses Benutzers</translation>
    </message>
    <message>
        <source>%1 is a home folder: erasing it removes everything of that user</source>
        <translation>%1 ist ein persönlicher Ordner: Löschen entfernt alles dieses Benutzers</translation>
    </message>
    <message>
        <source>%1 holds the home folders of %2: erasing it removes everything of those users</source>
        <translation>%1 enthält die persönlichen Ordner von %2: Löschen entfernt alles dieser Benutzer</translation>
    </message>
    <message>
        <source>%1 holds home folders: erasing it removes everything of their users</source>
        <translation>%1 enthält persönliche Ordner: Löschen entfernt alles ihrer Benutzer</translation>
    </message>
    <message>
        <source>%1 is a folder the system needs: erasing it can leave this computer unable to start</source>
        <translation>%1 ist ein Ordner, den das System braucht: nach dem Löschen startet dieser Computer womöglich nicht mehr</translation>
    </message>
    <message>
        <source>%1 is the mount point of a volume: erasing it erases everything on that volume</source>
        <translation>%1 ist der Einhängepunkt eines Volumes: Löschen löscht alles auf diesem Volume</translation>
    </message>
</context>
<context>
    <name>EraseReport</name>
    <message>
        <source>its data is still reachable through another name</source>
        <translation>seine Daten sind über einen anderen Namen weiter erreichbar</translation>
    </message>
    <message>
        <source>a volume is mounted there; it was left standing and nothing on it was touched</source>
        <translation>dort ist ein Volume eingehängt; es blieb bestehen, und nichts darauf wurde angerührt</translation>
    </message>
    <message>
        <source>the erasure was cancelled before it was done</source>
        <translation>das Löschen wurde vor dem Ende abgebrochen</translation>
    </message>
    <message>
        <source>some of its contents are left</source>
        <translation>ein Teil des Inhalts ist übrig</translation>
    </message>
    <message>
        <source>not erased</source>
        <translation>nicht gelöscht</translation>
    </message>
    <message>
        <source>… and %1 more</source>
        <translation>… und %1 weitere</translation>
    </message>
    <message>
        <source>The names of %1 may remain in the file system journal: emptying it needs administrator rights. Erase as administrator to remove them as well.</source>
        <translation>Die Namen von %1 können im Dateisystem-Journal verbleiben: es zu leeren erfordert Administratorrechte. Löschen Sie als Administrator, um auch sie zu entfernen.</translation>
    </message>
    <message numerus="yes">
        <source>%1 is on a copy-on-write volume. Overwriting a file there cannot reach the copies the file system keeps of it: wipe the free space of the volume as well (Erase Free Space) to remove them.</source>
        <extracomment>%1 names the paths; the count chooses &quot;is&quot; or &quot;are&quot;.</extracomment>
        <translation>
            <numerusform>%1 liegt auf einem Copy-on-Write-Volume. Das Überschreiben einer Datei dort erreicht die Kopien nicht, die das Dateisystem von ihr aufbewahrt: löschen Sie auch den freien Speicher des Volumes (Freien Speicher löschen), um sie zu entfernen.</numerusform>
            <numerusform>%1 liegen auf einem Copy-on-Write-Volume. Das Überschreiben einer Datei dort erreicht die Kopien nicht, die das Dateisystem von ihr aufbewahrt: löschen Sie auch den freien Speicher des Volumes (Freien Speicher löschen), um sie zu entfernen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file(s) erased</source>
        <translation>
            <numerusform>%Ln Datei gelöscht</numerusform>
            <numerusform>%Ln Dateien gelöscht</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>%1 fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1 stopped after pass %2 of %3 (removed)</source>
        <translation>%1 nach Durchgang %2 von %3 abgebrochen (entfernt)</translation>
    </message>
    <message>
        <source>%1 not reached</source>
        <translation>%1 nicht erreicht</translation>
    </message>
    <message>
        <source>Cancelled: %1.</source>
        <translation>Abgebrochen: %1.</translation>
    </message>
    <message>
        <source>, </source>
        <translation>, </translation>
    </message>
    <message>
        <source>names may remain in the file system journal</source>
        <translation>Namen können im Dateisystem-Journal verbleiben</translation>
    </message>
</context>
<context>
    <name>EraseReportFormatter</name>
    <message>
        <source>Erased</source>
        <translation>Gelöscht</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>Not reached</source>
        <translation>Nicht erreicht</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) erased</source>
        <translation>
            <numerusform>%n Datei gelöscht</numerusform>
            <numerusform>%n Dateien gelöscht</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 failed</source>
        <translation>%1 fehlgeschlagen</translation>
    </message>
    <message>
        <source>%1 stopped after pass %2 of %3 (removed)</source>
        <translation>%1 nach Durchgang %2 von %3 abgebrochen (entfernt)</translation>
    </message>
    <message>
        <source>%1 not reached</source>
        <translation>%1 nicht erreicht</translation>
    </message>
    <message>
        <source>About to erase:</source>
        <translation>Zu löschen:</translation>
    </message>
    <message>
        <source>/ (and everything inside)</source>
        <translation>/ (mit allem darin)</translation>
    </message>
    <message>
        <source>This cannot be undone. Erase?</source>
        <translation>Das kann nicht rückgängig gemacht werden. Löschen?</translation>
    </message>
    <message>
        <source>earlier copies may remain on this copy-on-write volume; wipe its free space too: korvane wipe-free-space &apos;%1&apos;</source>
        <translation>frühere Kopien können auf diesem Copy-on-Write-Volume verbleiben; löschen Sie auch seinen freien Speicher: korvane wipe-free-space &apos;%1&apos;</translation>
    </message>
    <message>
        <source>%1 (emptying it needs administrator rights)</source>
        <translation>%1 (es zu leeren erfordert Administratorrechte)</translation>
    </message>
    <message>
        <source>the erasure could not be recorded in the history: %1</source>
        <translation>das Löschen konnte nicht im Verlauf vermerkt werden: %1</translation>
    </message>
    <message numerus="yes">
        <source>%1; %2 of %n path(s) erased, what is left of the others is listed above.</source>
        <extracomment>%1 counts the files, %2 how many of the paths were erased.</extracomment>
        <translation>
            <numerusform>%1; %2 von %n Pfad gelöscht, was von den anderen übrig ist, steht oben.</numerusform>
            <numerusform>%1; %2 von %n Pfaden gelöscht, was von den anderen übrig ist, steht oben.</numerusform>
        </translation>
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
    <name>FreedesktopTrash</name>
    <message>
        <source>cannot open the trash folder %1: %2</source>
        <translation>der Papierkorb-Ordner %1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>the trash folder %1 does not belong to %2</source>
        <translation>der Papierkorb-Ordner %1 gehört nicht %2</translation>
    </message>
    <message>
        <source>not an absolute path</source>
        <translation>kein absoluter Pfad</translation>
    </message>
    <message>
        <source>it is gone: %1</source>
        <translation>sie ist nicht mehr da: %1</translation>
    </message>
    <message>
        <source>cannot open the home folder of %1</source>
        <translation>der persönliche Ordner von %1 kann nicht geöffnet werden</translation>
    </message>
    <message>
        <source>no trash folder can be used</source>
        <translation>kein Papierkorb-Ordner ist verwendbar</translation>
    </message>
    <message>
        <source>cannot write the trash info: %1</source>
        <translation>die Papierkorb-Information kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>cannot move it to the trash: %1</source>
        <translation>sie kann nicht in den Papierkorb verschoben werden: %1</translation>
    </message>
    <message>
        <source>cannot write the trash info</source>
        <translation>die Papierkorb-Information kann nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>FullDiskAccessAuthorizer</name>
    <message>
        <source>The browser data lies in your home folder, which this program cannot read. If your home is on a network or encrypted file system, unlock or mount it for this program (or run it as the user), then scan again.</source>
        <translation>Die Browserdaten liegen in Ihrem persönlichen Ordner, den dieses Programm nicht lesen kann. Liegt Ihr persönlicher Ordner auf einem Netzwerk- oder verschlüsselten Dateisystem, entsperren oder hängen Sie ihn für dieses Programm ein (oder starten Sie es als dieser Benutzer) und suchen Sie dann erneut.</translation>
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
    <name>HistoryCommand</name>
    <message>
        <source>the erasure history cannot be read</source>
        <translation>der Löschverlauf kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>no history entry &quot;%1&quot; (see `korvane history`)</source>
        <translation>kein Verlaufseintrag „%1“ (siehe `korvane history`)</translation>
    </message>
    <message>
        <source>give one of --json, --html and --pdf</source>
        <translation>geben Sie nur eines von --json, --html und --pdf an</translation>
    </message>
    <message>
        <source>certificate takes KEY and an optional FILE</source>
        <translation>certificate nimmt KEY und optional FILE</translation>
    </message>
    <message>
        <source>--%1 is for the certificate verb</source>
        <translation>--%1 gilt nur für den Unterbefehl certificate</translation>
    </message>
    <message>
        <source>unknown verb %1</source>
        <translation>unbekannter Unterbefehl %1</translation>
    </message>
    <message numerus="yes">
        <source>%1 takes %n operand(s)</source>
        <translation>
            <numerusform>%1 nimmt %n Operanden</numerusform>
            <numerusform>%1 nimmt %n Operanden</numerusform>
        </translation>
    </message>
    <message>
        <source>No erasure history.</source>
        <translation>Kein Löschverlauf vorhanden.</translation>
    </message>
    <message numerus="yes">
        <source>%n item(s)</source>
        <translation>
            <numerusform>%n Element</numerusform>
            <numerusform>%n Elemente</numerusform>
        </translation>
    </message>
    <message>
        <source>Erase Files</source>
        <translation>Dateien löschen</translation>
    </message>
    <message>
        <source>Erase Hard Drive</source>
        <translation>Festplatte löschen</translation>
    </message>
    <message>
        <source>Erase Free Space</source>
        <translation>Freien Speicher löschen</translation>
    </message>
    <message>
        <source>%1 exists; not replaced (add --force to replace it)</source>
        <translation>%1 ist vorhanden; nicht ersetzt (mit --force wird es ersetzt)</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>deleting</source>
        <extracomment>&quot;not deleting without confirmation&quot;: German needs the participle (&quot;gelöscht&quot;).</extracomment>
        <translation>gelöscht</translation>
    </message>
    <message>
        <source>delete</source>
        <translation>löschen</translation>
    </message>
    <message>
        <source>Nothing was deleted.</source>
        <translation>Es wurde nichts gelöscht.</translation>
    </message>
    <message>
        <source>The erasure history at %1 is not damaged; nothing to repair.</source>
        <translation>Der Löschverlauf unter %1 ist nicht beschädigt; nichts zu reparieren.</translation>
    </message>
    <message>
        <source>not repaired: %1; a locked history is in use, not damaged</source>
        <translation>nicht repariert: %1; ein gesperrter Verlauf ist in Gebrauch, nicht beschädigt</translation>
    </message>
    <message>
        <source>try again once the other program has finished with it</source>
        <translation>versuchen Sie es erneut, sobald das andere Programm ihn nicht mehr verwendet</translation>
    </message>
    <message>
        <source>not repaired: %1</source>
        <translation>nicht repariert: %1</translation>
    </message>
    <message>
        <source>repairing</source>
        <extracomment>&quot;not repairing without confirmation&quot;: German needs the participle (&quot;repariert&quot;).</extracomment>
        <translation>repariert</translation>
    </message>
    <message>
        <source>repair</source>
        <translation>reparieren</translation>
    </message>
    <message>
        <source>Repairing keeps the damaged file, untouched, at
  %1
(with its journal files, if any) and starts a new, empty history at
  %2</source>
        <translation>Die Reparatur bewahrt die beschädigte Datei unverändert unter
  %1
auf (mit ihren Journaldateien, falls vorhanden) und beginnt einen neuen, leeren Verlauf unter
  %2</translation>
    </message>
    <message>
        <source>Repair the erasure history?</source>
        <translation>Den Löschverlauf reparieren?</translation>
    </message>
    <message>
        <source>Nothing was changed.</source>
        <translation>Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>the damaged history was kept at %1</source>
        <translation>der beschädigte Verlauf wurde unter %1 aufbewahrt</translation>
    </message>
    <message>
        <source>the new history</source>
        <translation>der neue Verlauf</translation>
    </message>
    <message>
        <source>not repaired</source>
        <translation>nicht repariert</translation>
    </message>
    <message>
        <source>The erasure history at %1 is not damaged any more; nothing to repair.</source>
        <translation>Der Löschverlauf unter %1 ist nicht mehr beschädigt; nichts zu reparieren.</translation>
    </message>
    <message>
        <source>The damaged history was kept at %1
A new, empty history was made at %2</source>
        <translation>Der beschädigte Verlauf wurde unter %1 aufbewahrt
Ein neuer, leerer Verlauf wurde unter %2 angelegt</translation>
    </message>
</context>
<context>
    <name>HistoryDeleteFormatter</name>
    <message numerus="yes">
        <source>Delete all %n history entries? This cannot be undone.</source>
        <translation>
            <numerusform>Den einzigen Verlaufseintrag löschen? Das kann nicht rückgängig gemacht werden.</numerusform>
            <numerusform>Alle %n Verlaufseinträge löschen? Das kann nicht rückgängig gemacht werden.</numerusform>
        </translation>
    </message>
    <message>
        <source>Delete the history entry &quot;%1&quot;? This cannot be undone.</source>
        <translation>Den Verlaufseintrag „%1“ löschen? Das kann nicht rückgängig gemacht werden.</translation>
    </message>
    <message>
        <source>No erasure history.</source>
        <translation>Kein Löschverlauf vorhanden.</translation>
    </message>
    <message>
        <source>Deleted %1</source>
        <translation>Gelöscht: %1</translation>
    </message>
    <message>
        <source>nothing deleted: %1</source>
        <translation>nichts gelöscht: %1</translation>
    </message>
    <message>
        <source>`korvane history repair` keeps the damaged file aside and starts a new, empty history</source>
        <translation>`korvane history repair` legt die beschädigte Datei beiseite und beginnt einen neuen, leeren Verlauf</translation>
    </message>
    <message>
        <source>try again once the other program has finished with it</source>
        <translation>versuchen Sie es erneut, sobald das andere Programm ihn nicht mehr verwendet</translation>
    </message>
</context>
<context>
    <name>HistoryEntrySummary</name>
    <message>
        <source>Uninstaller</source>
        <translation>Deinstallation</translation>
    </message>
    <message>
        <source>Duplicate Finder</source>
        <translation>Duplikatsuche</translation>
    </message>
    <message>
        <source>Erase Free Space</source>
        <translation>Freien Speicher löschen</translation>
    </message>
    <message>
        <source>Erase Hard Drive</source>
        <translation>Festplatte löschen</translation>
    </message>
    <message>
        <source>Erase Files</source>
        <translation>Dateien löschen</translation>
    </message>
    <message>
        <source>Erased</source>
        <translation>Gelöscht</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n failed</source>
        <translation>
            <numerusform>%1 von %n fehlgeschlagen</numerusform>
            <numerusform>%1 von %n fehlgeschlagen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item(s)</source>
        <translation>
            <numerusform>%n Element</numerusform>
            <numerusform>%n Elemente</numerusform>
        </translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
</context>
<context>
    <name>HistoryStatusText</name>
    <message>
        <source>the history database</source>
        <translation>die Verlaufsdatenbank</translation>
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
    <name>PackageRemoval</name>
    <message>
        <source>This application was not installed by a package manager.</source>
        <translation>Diese Anwendung wurde nicht über eine Paketverwaltung installiert.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a valid package name.</source>
        <translation>„%1“ ist kein gültiger Paketname.</translation>
    </message>
    <message>
        <source>The package tool apt-get could not be started.</source>
        <translation>Das Paketwerkzeug apt-get konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Removing %1 would remove packages the system cannot do without.</source>
        <translation>Das Entfernen von %1 würde Pakete entfernen, auf die das System nicht verzichten kann.</translation>
    </message>
    <message>
        <source>apt-get could not work out how to remove %1:
%2</source>
        <translation>apt-get konnte nicht ermitteln, wie %1 zu entfernen ist:
%2</translation>
    </message>
    <message>
        <source>The user whose installation holds %1 is not known.</source>
        <translation>Der Benutzer, in dessen Installation sich %1 befindet, ist nicht bekannt.</translation>
    </message>
    <message>
        <source>The removal of %1 could not be started.</source>
        <translation>Das Entfernen von %1 konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Administrator rights were not granted; %1 was not removed.</source>
        <translation>Administratorrechte wurden nicht gewährt; %1 wurde nicht entfernt.</translation>
    </message>
    <message>
        <source>The removal of %1 was interrupted.</source>
        <translation>Das Entfernen von %1 wurde unterbrochen.</translation>
    </message>
    <message>
        <source>The removal of %1 failed (exit status %2).</source>
        <translation>Das Entfernen von %1 ist fehlgeschlagen (Exit-Status %2).</translation>
    </message>
    <message>
        <source>The package manager reported success, but %1 is still installed.</source>
        <translation>Die Paketverwaltung meldete Erfolg, aber %1 ist noch installiert.</translation>
    </message>
    <message>
        <source>Whether %1 was removed could not be checked.</source>
        <translation>Ob %1 entfernt wurde, konnte nicht geprüft werden.</translation>
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
    <name>SettingsCommand</name>
    <message>
        <source>too many operands</source>
        <translation>zu viele Operanden</translation>
    </message>
    <message>
        <source>unknown setting &quot;%1&quot; (use %2)</source>
        <translation>unbekannte Einstellung „%1“ (verwenden Sie %2)</translation>
    </message>
</context>
<context>
    <name>SizeText</name>
    <message numerus="yes">
        <source>%n byte(s)</source>
        <translation>
            <numerusform>%n Byte</numerusform>
            <numerusform>%n Byte</numerusform>
        </translation>
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
    <name>UninstallOperation</name>
    <message>
        <source>%1 stays: it lies outside your home folder and no package manager installed it. Remove it yourself if you no longer need it.</source>
        <translation>%1 bleibt: es liegt außerhalb Ihres persönlichen Ordners, und keine Paketverwaltung hat es installiert. Entfernen Sie es selbst, wenn Sie es nicht mehr brauchen.</translation>
    </message>
    <message>
        <source>packages removed with %1: %2</source>
        <translation>mit %1 entfernte Pakete: %2</translation>
    </message>
    <message>
        <source>Nothing was removed.</source>
        <translation>Es wurde nichts entfernt.</translation>
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
    <name>UpdateCheck</name>
    <message>
        <source>The check for updates failed: %1.</source>
        <translation>Die Suche nach Updates ist fehlgeschlagen: %1.</translation>
    </message>
    <message>
        <source>the answer of the update server could not be read</source>
        <translation>die Antwort des Update-Servers konnte nicht gelesen werden</translation>
    </message>
    <message>
        <source>Version %1 is available.</source>
        <translation>Version %1 ist verfügbar.</translation>
    </message>
    <message>
        <source> What is new: %1</source>
        <translation> Neu: %1</translation>
    </message>
    <message>
        <source>Korvane Data Eraser %1 is up to date.</source>
        <translation>Korvane Data Eraser %1 ist aktuell.</translation>
    </message>
    <message>
        <source>no address is set for it</source>
        <translation>dafür ist keine Adresse eingestellt</translation>
    </message>
    <message>
        <source>%1 is not a web address</source>
        <translation>%1 ist keine Webadresse</translation>
    </message>
    <message>
        <source>the update server did not answer within %1 seconds</source>
        <translation>der Update-Server hat nicht innerhalb von %1 Sekunden geantwortet</translation>
    </message>
</context>
<context>
    <name>UpdateCommand</name>
    <message>
        <source>unknown argument &apos;%1&apos;</source>
        <translation>unbekanntes Argument „%1“</translation>
    </message>
</context>
<context>
    <name>VolumeChangeFormatter</name>
    <message>
        <source>Formatting %1 as %2 named &quot;%3&quot;.</source>
        <translation>%1 wird als %2 mit dem Namen „%3“ formatiert.</translation>
    </message>
    <message>
        <source>Formatting %1 (%2, %3 named &quot;%4&quot;, mounted at %5, %6 used) as %7 named &quot;%8&quot;.
Everything on it is lost.</source>
        <extracomment>%1 device, %2 size, %3 file system, %4 name, %5 mount point, %6 size used, %7 the new file system, %8 its name.</extracomment>
        <translation>%1 (%2, %3 mit dem Namen „%4“, eingehängt unter %5, %6 belegt) wird als %7 mit dem Namen „%8“ formatiert.
Alles darauf geht verloren.</translation>
    </message>
    <message>
        <source>Format it?</source>
        <translation>Formatieren?</translation>
    </message>
</context>
<context>
    <name>VolumeChangeOperation</name>
    <message>
        <source>unknown partition table &quot;%1&quot; (use gpt or dos)</source>
        <translation>unbekannte Partitionstabelle „%1“ (verwenden Sie gpt oder dos)</translation>
    </message>
    <message>
        <source>%1 is no disk, partition or volume here (korvane disks lists them)</source>
        <translation>%1 ist hier kein Datenträger, keine Partition und kein Volume (korvane disks listet sie auf)</translation>
    </message>
    <message>
        <source>%1 is mounted at %2; unmount it first to give its disk a new partition table</source>
        <translation>%1 ist unter %2 eingehängt; hängen Sie es zuerst aus, um seinem Datenträger eine neue Partitionstabelle zu geben</translation>
    </message>
    <message>
        <source>%1 is a partition: a partition table goes on its whole disk, %2</source>
        <translation>%1 ist eine Partition: eine Partitionstabelle gehört auf den ganzen Datenträger, %2</translation>
    </message>
    <message>
        <source>%1 has mounted volumes (%2); unmount them first (korvane unmount DEVICE)</source>
        <translation>%1 hat eingehängte Volumes (%2); hängen Sie sie zuerst aus (korvane unmount DEVICE)</translation>
    </message>
    <message>
        <source>unknown format &quot;%1&quot; (use %2)</source>
        <translation>unbekanntes Format „%1“ (verwenden Sie %2)</translation>
    </message>
    <message>
        <source>%1 is blank: it holds no partition table and no file system.</source>
        <translation>%1 ist leer: er enthält weder eine Partitionstabelle noch ein Dateisystem.</translation>
    </message>
    <message>
        <source>Everything on %1 is lost: %2.</source>
        <translation>Alles auf %1 geht verloren: %2.</translation>
    </message>
    <message>
        <source> It gets a new %1 partition table with one partition holding the new file system.</source>
        <translation> Er erhält eine neue %1-Partitionstabelle mit einer Partition, die das neue Dateisystem enthält.</translation>
    </message>
    <message>
        <source>Everything on %1 is lost; nothing else on its disk changes.</source>
        <translation>Alles auf %1 geht verloren; sonst ändert sich nichts auf seinem Datenträger.</translation>
    </message>
    <message>
        <source>Everything on %1 is lost.</source>
        <translation>Alles auf %1 geht verloren.</translation>
    </message>
    <message>
        <source>no such volume</source>
        <translation>kein solches Volume</translation>
    </message>
    <message>
        <source>Nothing was changed.</source>
        <translation>Es wurde nichts geändert.</translation>
    </message>
    <message>
        <source>not a change of a volume</source>
        <translation>keine Änderung eines Volumes</translation>
    </message>
</context>
<context>
    <name>VolumesCommand</name>
    <message>
        <source>unknown argument &apos;%1&apos;</source>
        <translation>unbekanntes Argument „%1“</translation>
    </message>
    <message>
        <source>no mounted volumes found</source>
        <translation>keine eingehängten Volumes gefunden</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>FILE SYSTEM</source>
        <translation>DATEISYSTEM</translation>
    </message>
    <message>
        <source>DEVICE</source>
        <translation>GERÄT</translation>
    </message>
    <message>
        <source>SIZE</source>
        <translation>GRÖSSE</translation>
    </message>
    <message>
        <source>FREE</source>
        <translation>FREI</translation>
    </message>
    <message>
        <source>MOUNTED ON</source>
        <translation>EINGEHÄNGT UNTER</translation>
    </message>
</context>
<context>
    <name>WipeCommand</name>
    <message>
        <source>one volume at a time</source>
        <translation>nur ein Volume auf einmal</translation>
    </message>
    <message>
        <source>%1 is not a mounted volume (see `korvane volumes`)</source>
        <translation>%1 ist kein eingehängtes Volume (siehe `korvane volumes`)</translation>
    </message>
    <message>
        <source>wiping</source>
        <extracomment>&quot;not wiping without confirmation&quot;: German needs the participle (&quot;gelöscht&quot;).</extracomment>
        <translation>gelöscht</translation>
    </message>
    <message>
        <source>wipe</source>
        <translation>löschen</translation>
    </message>
    <message>
        <source>Nothing was done.</source>
        <translation>Es wurde nichts getan.</translation>
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
    <name>WipeDriveOperation</name>
    <message>
        <source>%1: cannot ask what its firmware offers: %2</source>
        <translation>%1: es lässt sich nicht erfragen, was seine Firmware anbietet: %2</translation>
    </message>
    <message>
        <source>%1: %2. The drive&apos;s firmware erases all of it, the blocks it keeps aside included; blocks spread over it are read back afterwards.</source>
        <translation>%1: %2. Die Firmware des Laufwerks löscht alles darauf, die Reserveblöcke eingeschlossen; danach werden über das Laufwerk verteilte Blöcke zurückgelesen.</translation>
    </message>
    <message>
        <source> Note: %1.</source>
        <translation> Hinweis: %1.</translation>
    </message>
    <message>
        <source>%1: Clear (%2 pass overwrite: %3, then zeros).</source>
        <translation>%1: Clear (Überschreiben in %2 Durchgängen: %3, dann Nullen).</translation>
    </message>
    <message>
        <source>%1: its firmware could not be asked what it offers (%2); the volume tool decides when the wipe runs.</source>
        <translation>%1: seine Firmware konnte nicht befragt werden, was sie anbietet (%2); das Volume-Werkzeug entscheidet, wenn das Löschen läuft.</translation>
    </message>
    <message>
        <source>%1 is not a drive or partition (see `korvane disks`)</source>
        <translation>%1 ist kein Laufwerk und keine Partition (siehe `korvane disks`)</translation>
    </message>
    <message>
        <source>%1 and %2 are the same drive</source>
        <translation>%1 und %2 sind dasselbe Laufwerk</translation>
    </message>
    <message>
        <source>there is no interrupted wipe of %1 to go on with</source>
        <translation>es gibt kein unterbrochenes Löschen von %1, das fortgesetzt werden könnte</translation>
    </message>
    <message>
        <source>%1 is not the drive whose wipe was interrupted (that one held %2 bytes%3)</source>
        <translation>%1 ist nicht das Laufwerk, dessen Löschen unterbrochen wurde (jenes hatte %2 Byte%3)</translation>
    </message>
    <message>
        <source>the interrupted wipe of %1 has %2 passes, another drive&apos;s %3: go on with them one at a time</source>
        <translation>das unterbrochene Löschen von %1 hat %2 Durchgänge, das eines anderen Laufwerks %3: setzen Sie sie einzeln fort</translation>
    </message>
    <message>
        <source>The wipe of %1 goes on from pass %2 of %3, byte %4, where it was interrupted.</source>
        <translation>Das Löschen von %1 wird bei Durchgang %2 von %3, Byte %4, fortgesetzt, wo es unterbrochen wurde.</translation>
    </message>
    <message>
        <source>An interrupted wipe of %1 was found; this one starts from the first byte instead.</source>
        <translation>Ein unterbrochenes Löschen von %1 wurde gefunden; dieses beginnt stattdessen beim ersten Byte.</translation>
    </message>
    <message>
        <source>%1 is mounted at %2 and is unmounted for the wipe</source>
        <translation>%1 ist unter %2 eingehängt und wird für das Löschen ausgehängt</translation>
    </message>
    <message>
        <source>%1 is solid-state storage: overwriting it is a Clear; blocks the drive keeps aside are not reached.</source>
        <translation>%1 ist ein SSD-Speicher: Überschreiben ist dort ein Clear; die Reserveblöcke des Laufwerks werden nicht erreicht.</translation>
    </message>
    <message>
        <source>Everything on %1 (%2) is lost: its partition table, every partition and what lies between them.</source>
        <translation>Alles auf %1 (%2) geht verloren: seine Partitionstabelle, jede Partition und was dazwischen liegt.</translation>
    </message>
    <message>
        <source>read back &quot;%1&quot;? Use last, all, sample:PERCENT or none.</source>
        <translation>Rücklesen „%1“? Verwenden Sie last, all, sample:PROZENT oder none.</translation>
    </message>
    <message>
        <source>Nothing was written.</source>
        <translation>Es wurde nichts geschrieben.</translation>
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
    <name>WipeFreeSpaceOperation</name>
    <message>
        <source>%1 is not mounted.</source>
        <translation>%1 ist nicht eingehängt.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 kann nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>%1 is solid-state storage: overwriting cannot reach the blocks the drive keeps aside.</source>
        <translation>%1 ist ein SSD-Speicher: Überschreiben erreicht die Blöcke nicht, die das Laufwerk in Reserve hält.</translation>
    </message>
    <message>
        <source>The free space cannot be wiped.</source>
        <translation>Der freie Speicher kann nicht gelöscht werden.</translation>
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
    <name>WipeReportFormatter</name>
    <message>
        <source>Erasing everything on %1 (%2, %3, %4) with %5 (%6): it is formatted anew, then its free space is overwritten.</source>
        <extracomment>%1 name, %2 device, %3 mount point, %4 size, %5 standard, %6 &quot;7 passes&quot;.</extracomment>
        <translation>Alles auf %1 (%2, %3, %4) wird mit %5 (%6) gelöscht: es wird neu formatiert, dann wird sein freier Speicher überschrieben.</translation>
    </message>
    <message>
        <source>Erasing the free space of %1 (%2, %3 free) with %4 (%5).</source>
        <extracomment>%1 name, %2 mount point, %3 free size, %4 standard, %5 &quot;7 passes&quot;.</extracomment>
        <translation>Der freie Speicher von %1 (%2, %3 frei) wird mit %4 (%5) gelöscht.</translation>
    </message>
    <message>
        <source>Every file on it will be lost. Continue?</source>
        <translation>Jede Datei darauf geht verloren. Fortfahren?</translation>
    </message>
    <message>
        <source>The volume will be full for a while. Continue?</source>
        <translation>Das Volume ist eine Weile voll. Fortfahren?</translation>
    </message>
    <message>
        <source>Erased %1: %2</source>
        <translation>Gelöscht: %1: %2</translation>
    </message>
    <message>
        <source>Erased the free space of %1: %2</source>
        <translation>Freier Speicher von %1 gelöscht: %2</translation>
    </message>
    <message>
        <source>Failed %1: %2</source>
        <translation>Fehlgeschlagen %1: %2</translation>
    </message>
    <message>
        <source>the wipe could not be recorded in the history: %1</source>
        <translation>das Löschen konnte nicht im Verlauf vermerkt werden: %1</translation>
    </message>
    <message>
        <source>the volume was formatted anew (emptied); its free space was not overwritten.</source>
        <translation>das Volume wurde neu formatiert (geleert); sein freier Speicher wurde nicht überschrieben.</translation>
    </message>
    <message>
        <source>the volume was not wiped (see above).</source>
        <translation>das Volume wurde nicht gelöscht (siehe oben).</translation>
    </message>
    <message>
        <source>the wipe&apos;s files are removed; the free space was not overwritten to the end.</source>
        <translation>die Dateien des Löschvorgangs sind entfernt; der freie Speicher wurde nicht bis zum Ende überschrieben.</translation>
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
        <translation>%1 × 1 Durchgang</translation>
    </message>
    <message>
        <source>%1 × %2 passes</source>
        <translation>%1 × %2 Durchgänge</translation>
    </message>
    <message>
        <source>Estimated time: about %1 (%2 at %3, as measured on this device).</source>
        <translation>Geschätzte Dauer: etwa %1 (%2 mit %3, auf diesem Gerät gemessen).</translation>
    </message>
    <message>
        <source>Estimated time: about %1 (%2 at %3, a cautious speed; the real one depends on the device).</source>
        <translation>Geschätzte Dauer: etwa %1 (%2 mit %3, einer vorsichtigen Geschwindigkeit; die tatsächliche hängt vom Gerät ab).</translation>
    </message>
    <message>
        <source>about %1 left (estimate)</source>
        <translation>noch etwa %1 (geschätzt)</translation>
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
<context>
    <name>WipeVolumeOperation</name>
    <message>
        <source>%1 (%2, mounted at %3) is unmounted, formatted anew and mounted again.</source>
        <translation>%1 (%2, eingehängt unter %3) wird ausgehängt, neu formatiert und wieder eingehängt.</translation>
    </message>
    <message>
        <source>%1 is solid-state storage: overwriting cannot reach the blocks the drive keeps aside.</source>
        <translation>%1 ist ein SSD-Speicher: Überschreiben erreicht die Blöcke nicht, die das Laufwerk in Reserve hält.</translation>
    </message>
    <message>
        <source>The volume cannot be wiped.</source>
        <translation>Das Volume kann nicht gelöscht werden.</translation>
    </message>
</context>
</TS>
