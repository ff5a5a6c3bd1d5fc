<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>CatalogueCommands</name>
    <message>
        <source>New Book</source>
        <translation>Neues Buch</translation>
    </message>
    <message>
        <source>Please enter a new, unique, file name:</source>
        <translation>Bitte geben Sie einen neuen, eindeutigen Dateinamen ein:</translation>
    </message>
    <message>
        <source>Are you sure that you want to remove the book file named &quot;%1&quot;?</source>
        <translation>Möchten Sie die Buchdatei „%1“ wirklich entfernen?</translation>
    </message>
    <message>
        <source>Confirm Removal</source>
        <translation>Entfernen bestätigen</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Remove the book from the catalogue.</source>
        <translation>Das Buch aus dem Katalog entfernen.</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Behalten</translation>
    </message>
    <message>
        <source>Keep the book in the catalogue.</source>
        <translation>Das Buch im Katalog behalten.</translation>
    </message>
    <message>
        <source>The file %1 could not be deleted.</source>
        <translation>Die Datei %1 konnte nicht gelöscht werden.</translation>
    </message>
    <message>
        <source>Rename Item</source>
        <translation>Eintrag umbenennen</translation>
    </message>
    <message>
        <source>Please enter the new (unique) name of the catalogue item:</source>
        <translation>Bitte geben Sie den neuen (eindeutigen) Namen des Katalogeintrags ein:</translation>
    </message>
    <message>
        <source>The file was successfully renamed by the operating system, but could not be found afterwards. This was highly unexpected.</source>
        <translation>Das Betriebssystem hat die Datei umbenannt, sie war danach aber nicht auffindbar. Das war höchst unerwartet.</translation>
    </message>
    <message>
        <source>The operating system could not rename the file.</source>
        <translation>Das Betriebssystem konnte die Datei nicht umbenennen.</translation>
    </message>
    <message>
        <source>Please enter the new (unique) name of the new, duplicate, catalogue item:</source>
        <translation>Bitte geben Sie den neuen (eindeutigen) Namen des neuen, duplizierten Katalogeintrags ein:</translation>
    </message>
    <message>
        <source>The file was successfully copied by the operating system, but the new file could not be found afterwards. This was highly unexpected.</source>
        <translation>Das Betriebssystem hat die Datei kopiert, die neue Datei war danach aber nicht auffindbar. Das war höchst unerwartet.</translation>
    </message>
    <message>
        <source>The operating system could not copy the file.</source>
        <translation>Das Betriebssystem konnte die Datei nicht kopieren.</translation>
    </message>
    <message>
        <source>Creating shelf...</source>
        <translation>Bücherregal wird erstellt...</translation>
    </message>
    <message>
        <source>Bookshelf files</source>
        <translation>Bücherregal-Dateien</translation>
    </message>
    <message>
        <source>This catalogue contains books in the version 1.0 format, which only supports ASCII characters. Do you want to upgrade the catalogue to the 1.1 format (strongly adviced)?</source>
        <translation>Dieser Katalog enthält Bücher im Format der Version 1.0, das nur ASCII-Zeichen unterstützt. Möchten Sie den Katalog auf das Format 1.1 aktualisieren (dringend empfohlen)?</translation>
    </message>
    <message>
        <source>Old File Format</source>
        <translation>Altes Dateiformat</translation>
    </message>
    <message>
        <source>The book file &quot;%1&quot; was removed by another program after it was loaded. Do you want to write your changes?</source>
        <translation>Die Buchdatei „%1“ wurde nach dem Laden von einem anderen Programm entfernt. Möchten Sie Ihre Änderungen schreiben?</translation>
    </message>
    <message>
        <source>The book file &quot;%1&quot; was changed by another program after it was loaded. Do you want to write your changes over it?</source>
        <translation>Die Buchdatei „%1“ wurde nach dem Laden von einem anderen Programm geändert. Möchten Sie sie mit Ihren Änderungen überschreiben?</translation>
    </message>
    <message>
        <source>My changes:</source>
        <translation>Meine Änderungen:</translation>
    </message>
    <message>
        <source>Book Changed on Disk</source>
        <translation>Buch auf dem Datenträger geändert</translation>
    </message>
    <message>
        <source>Keep my changes</source>
        <translation>Meine Änderungen behalten</translation>
    </message>
    <message>
        <source>Write my changes to the file, replacing what is there now.</source>
        <translation>Meine Änderungen in die Datei schreiben und den jetzigen Inhalt ersetzen.</translation>
    </message>
    <message>
        <source>Take theirs</source>
        <translation>Deren Fassung übernehmen</translation>
    </message>
    <message>
        <source>Read the file as it is now and drop my changes; they are listed under Technical Details.</source>
        <translation>Die Datei so lesen, wie sie jetzt ist, und meine Änderungen verwerfen; sie stehen unter „Technische Details“.</translation>
    </message>
    <message>
        <source>Yes writes your changes, No reads the file as it is now and drops them, Cancel changes nothing.</source>
        <translation>„Ja“ schreibt Ihre Änderungen, „Nein“ liest die Datei, wie sie jetzt ist, und verwirft sie, „Abbrechen“ ändert nichts.</translation>
    </message>
    <message>
        <source>The settings file could not be read when the program started, so it is left as it is. The settings have changed since. Do you want to save them to another file?</source>
        <translation>Die Einstellungsdatei konnte beim Programmstart nicht gelesen werden und bleibt daher unverändert. Die Einstellungen wurden seitdem geändert. Möchten Sie sie in einer anderen Datei speichern?</translation>
    </message>
    <message>
        <source>Settings Not Saved</source>
        <translation>Einstellungen nicht gespeichert</translation>
    </message>
    <message>
        <source>Save to another file...</source>
        <translation>In einer anderen Datei speichern...</translation>
    </message>
    <message>
        <source>Choose a file to keep this session&apos;s settings in.</source>
        <translation>Eine Datei wählen, in der die Einstellungen dieser Sitzung gespeichert werden.</translation>
    </message>
    <message>
        <source>Discard them</source>
        <translation>Verwerfen</translation>
    </message>
    <message>
        <source>Close without keeping the changed settings.</source>
        <translation>Schließen, ohne die geänderten Einstellungen zu behalten.</translation>
    </message>
    <message>
        <source>Save Settings to File</source>
        <translation>Einstellungen in Datei speichern</translation>
    </message>
    <message>
        <source>Registry files</source>
        <translation>Registrierungsdateien</translation>
    </message>
    <message>
        <source>If you remove the book item from the catalogue, the corresponding *.book file will be removed from the file system. In this case, the file is</source>
        <translation>Wenn Sie das Buch aus dem Katalog entfernen, wird die zugehörige *.book-Datei aus dem Dateisystem gelöscht. In diesem Fall ist das die Datei</translation>
    </message>
    <message>
        <source>The current catalogue is </source>
        <translation>Der aktuelle Katalog ist </translation>
    </message>
    <message>
        <source>All *.book files in this catalogue will be upgraded, if needed.</source>
        <translation>Alle *.book-Dateien dieses Katalogs werden bei Bedarf aktualisiert.</translation>
    </message>
</context>
<context>
    <name>CountTexts</name>
    <message numerus="yes">
        <source>%1 book(s) in this catalogue.</source>
        <translation>
            <numerusform>%1 Buch in diesem Katalog.</numerusform>
            <numerusform>%1 Bücher in diesem Katalog.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %2 book(s) shown.</source>
        <translation>
            <numerusform>%1 von %2 Buch angezeigt.</numerusform>
            <numerusform>%1 von %2 Büchern angezeigt.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 book file(s) left out: their names are not valid UTF-8.</source>
        <translation>
            <numerusform>%1 Buchdatei ausgelassen: Ihr Name ist kein gültiges UTF-8.</numerusform>
            <numerusform>%1 Buchdateien ausgelassen: Ihre Namen sind kein gültiges UTF-8.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 books upgraded.</source>
        <translation>
            <numerusform>%1 Buch aktualisiert.</numerusform>
            <numerusform>%1 Bücher aktualisiert.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 book file(s) left out of the shelf: they are links to files outside the catalogue folder or to nothing: %2.</source>
        <translation>
            <numerusform>%1 Buchdatei nicht ins Bücherregal aufgenommen: Sie ist eine Verknüpfung zu einer Datei außerhalb des Katalogordners oder ins Leere: %2.</numerusform>
            <numerusform>%1 Buchdateien nicht ins Bücherregal aufgenommen: Sie sind Verknüpfungen zu Dateien außerhalb des Katalogordners oder ins Leere: %2.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 books imported, %2 duplicates skipped, %3 records rejected.</source>
        <translation>%1 Bücher importiert, %2 Duplikate übersprungen, %3 Datensätze abgelehnt.</translation>
    </message>
</context>
<context>
    <name>ExchangeCommands</name>
    <message>
        <source>CSL-JSON files</source>
        <translation>CSL-JSON-Dateien</translation>
    </message>
    <message>
        <source>BibTeX files</source>
        <translation>BibTeX-Dateien</translation>
    </message>
    <message>
        <source>RIS files</source>
        <translation>RIS-Dateien</translation>
    </message>
    <message>
        <source>CSV files</source>
        <translation>CSV-Dateien</translation>
    </message>
    <message>
        <source>Books</source>
        <translation>Bücher</translation>
    </message>
    <message>
        <source>Export Books</source>
        <translation>Bücher exportieren</translation>
    </message>
    <message>
        <source>Exporting books...</source>
        <translation>Bücher werden exportiert...</translation>
    </message>
    <message>
        <source>%1 books exported to %2.</source>
        <translation>%1 Bücher nach %2 exportiert.</translation>
    </message>
    <message>
        <source>Import Books</source>
        <translation>Bücher importieren</translation>
    </message>
    <message>
        <source>Book lists</source>
        <translation>Bücherlisten</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alle Dateien</translation>
    </message>
    <message>
        <source>Importing books...</source>
        <translation>Bücher werden importiert...</translation>
    </message>
</context>
<context>
    <name>FieldTable</name>
    <message>
        <source>&amp;Author:</source>
        <translation>&amp;Autor:</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Autor</translation>
    </message>
    <message>
        <source>&amp;Year written:</source>
        <translation>&amp;Entstehungsjahr:</translation>
    </message>
    <message>
        <source>Year written</source>
        <translation>Entstehungsjahr</translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation>&amp;Titel:</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>&amp;Subtitle:</source>
        <translation>&amp;Untertitel:</translation>
    </message>
    <message>
        <source>Subtitle</source>
        <translation>Untertitel</translation>
    </message>
    <message>
        <source>&amp;Edition:</source>
        <translation>Aus&amp;gabe:</translation>
    </message>
    <message>
        <source>Edition</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>Series:</source>
        <translation>Reihe:</translation>
    </message>
    <message>
        <source>Series</source>
        <translation>Reihe</translation>
    </message>
    <message>
        <source>Pos.:</source>
        <translation>Nr.:</translation>
    </message>
    <message>
        <source>Position (of the book in a series of books)</source>
        <translation>Position (des Buchs in einer Buchreihe)</translation>
    </message>
    <message>
        <source>&amp;Publisher:</source>
        <translation>&amp;Verlag:</translation>
    </message>
    <message>
        <source>Publisher</source>
        <translation>Verlag</translation>
    </message>
    <message>
        <source>P&amp;rinted (top.):</source>
        <translation>&amp;Druckort:</translation>
    </message>
    <message>
        <source>Printed (toponym)</source>
        <translation>Druckort (Ortsname)</translation>
    </message>
    <message>
        <source>Year pri&amp;nted:</source>
        <translation>Druck&amp;jahr:</translation>
    </message>
    <message>
        <source>Year printed</source>
        <translation>Druckjahr</translation>
    </message>
    <message>
        <source>&amp;ISBN:</source>
        <translation>&amp;ISBN:</translation>
    </message>
    <message>
        <source>ISBN</source>
        <translation>ISBN</translation>
    </message>
    <message>
        <source>N&amp;um. Pages:</source>
        <translation>&amp;Seitenzahl:</translation>
    </message>
    <message>
        <source>Num pages</source>
        <translation>Seitenzahl</translation>
    </message>
    <message>
        <source>Cate&amp;gory:</source>
        <translation>&amp;Kategorie:</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>&amp;Comments:</source>
        <translation>Ko&amp;mmentare:</translation>
    </message>
    <message>
        <source>Comments</source>
        <translation>Kommentare</translation>
    </message>
    <message>
        <source>B&amp;ook Type:</source>
        <translation>Bu&amp;chtyp:</translation>
    </message>
    <message>
        <source>Book type</source>
        <translation>Buchtyp</translation>
    </message>
    <message>
        <source>&amp;Binding:</source>
        <translation>Ein&amp;band:</translation>
    </message>
    <message>
        <source>Binding</source>
        <translation>Einband</translation>
    </message>
    <message>
        <source>&amp;Level:</source>
        <translation>&amp;Niveau:</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Niveau</translation>
    </message>
    <message>
        <source>Rating:</source>
        <translation>Bewertung:</translation>
    </message>
    <message>
        <source>Rating</source>
        <translation>Bewertung</translation>
    </message>
    <message>
        <source>Pri&amp;ce:</source>
        <translation>&amp;Preis:</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Preis</translation>
    </message>
    <message>
        <source>This &amp;work is a translation</source>
        <translation>Das &amp;Werk ist eine Übersetzung</translation>
    </message>
    <message>
        <source>The string &quot;Translation&quot; if the work is a translation, the empty string otherwise.</source>
        <translation>Die Zeichenfolge „Translation“, wenn das Werk eine Übersetzung ist, sonst die leere Zeichenfolge.</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Sprache:</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>&amp;Original Lang.:</source>
        <translation>&amp;Originalsprache:</translation>
    </message>
    <message>
        <source>Original language</source>
        <translation>Originalsprache</translation>
    </message>
    <message>
        <source>Tran&amp;slator:</source>
        <translation>&amp;Übersetzer:</translation>
    </message>
    <message>
        <source>Translator</source>
        <translation>Übersetzer</translation>
    </message>
    <message>
        <source>Ori&amp;ginal Title:</source>
        <translation>Origina&amp;ltitel:</translation>
    </message>
    <message>
        <source>Original title</source>
        <translation>Originaltitel</translation>
    </message>
</context>
<context>
    <name>HelpTopics</name>
    <message>
        <source>Formatting Options</source>
        <translation>Formatierungsoptionen</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Specifying Authors</source>
        <translation>Autoren angeben</translation>
    </message>
    <message>
        <source>For every character A such that %A would print the value of the variable associated with the token A, (A will print a space followed by the value of the variable inside parentheses if the length of the value is non-zero.</source>
        <translation>Für jedes Zeichen A, bei dem %A den Wert der zum Kürzel A gehörenden Variable ausgibt, gibt (A ein Leerzeichen und danach den Wert der Variable in Klammern aus, sofern der Wert nicht leer ist.</translation>
    </message>
    <message>
        <source>Similarly, -A will print a dash followed by the value of the variable if the length of the value is non-zero.</source>
        <translation>Ebenso gibt -A einen Gedankenstrich und danach den Wert der Variable aus, sofern der Wert nicht leer ist.</translation>
    </message>
    <message>
        <source>In any case, if %A wouldn&apos;t print anything, no spaces, parentheses, or dashes will be output.</source>
        <translation>Würde %A nichts ausgeben, werden in keinem Fall Leerzeichen, Klammern oder Gedankenstriche ausgegeben.</translation>
    </message>
    <message>
        <source>In almost the same way, .A will print a period, a space and the value of the variable if the variable is of non-zero length and we are not at the very beginning of the string. In the latter case, the period and space are omitted.</source>
        <translation>Fast genauso gibt .A einen Punkt, ein Leerzeichen und den Wert der Variable aus, sofern der Wert nicht leer ist und wir nicht ganz am Anfang der Zeichenfolge stehen. Im letzteren Fall entfallen Punkt und Leerzeichen.</translation>
    </message>
    <message>
        <source>,A works the same way, but using comma instead of period.</source>
        <translation>,A funktioniert ebenso, jedoch mit einem Komma statt eines Punkts.</translation>
    </message>
    <message>
        <source>Finally, &quot;str&quot;A will print the string str followed by the value of A if the latter is of non-zero length. &quot;pref|suff&quot;A will use both a prefix pref and a suffix suff. You can include double quotation marks (&quot;) in the prefix and suffix, but you have to escape them by doubling them. For example, &quot;I &quot;&quot;love&quot;&quot; carrots&quot;A would print the string &apos;I &quot;love&quot; carrots&apos; before the value of A.</source>
        <translation>Schließlich gibt &quot;str&quot;A die Zeichenfolge str und danach den Wert von A aus, sofern dieser nicht leer ist. &quot;pref|suff&quot;A verwendet sowohl ein Präfix pref als auch ein Suffix suff. Präfix und Suffix dürfen doppelte Anführungszeichen (&quot;) enthalten, diese müssen aber verdoppelt werden. So gibt zum Beispiel &quot;Ich &quot;&quot;liebe&quot;&quot; Karotten&quot;A die Zeichenfolge &apos;Ich &quot;liebe&quot; Karotten&apos; vor dem Wert von A aus.</translation>
    </message>
    <message>
        <source>You can choose to specify a language using its name, e.g. &quot;English&quot;. If you use the English name of the language, then the BCP 47 code will be deduced automatically. However, you can always manually specify the desired BCP 47 code inside parentheses, e.g. &quot;English (en-uk)&quot;. This also works in every language, e.g. &quot;Engelska (en)&quot; or &quot;Englisch (en)&quot;. Notice that a BCP 47 code is needed for semantic HTML (but otherwise not).</source>
        <translation>Sie können eine Sprache mit ihrem Namen angeben, z. B. „English“. Verwenden Sie den englischen Namen der Sprache, wird der BCP-47-Code automatisch ermittelt. Sie können den gewünschten BCP-47-Code aber jederzeit selbst in Klammern angeben, z. B. „English (en-uk)“. Das funktioniert in jeder Sprache, z. B. „Engelska (en)“ oder „Englisch (en)“. Beachten Sie, dass ein BCP-47-Code für semantisches HTML nötig ist (sonst aber nicht).</translation>
    </message>
    <message>
        <source>If you want to generate a report with additional semantic content (e.g., microdata), you must specify the author(s) in a particular format.</source>
        <translation>Wenn Sie einen Bericht mit zusätzlichen semantischen Inhalten (z. B. Mikrodaten) erstellen möchten, müssen Sie die Autoren in einem bestimmten Format angeben.</translation>
    </message>
    <message>
        <source>You may give a list (of any length) of authors, and each author must be either a person or an organisation. You must separate authors from each other using semicolon (;). Whitespace next to punctuation is optional as all strings are trimmed. When giving the name of a person, you must either give a free-form standard form of the name, such as &quot;John Doe&quot;, or specify the first name (given name) and last name (family name) explicitly, in the form &quot;Doe, John&quot; (again, whitespace is optional).</source>
        <translation>Sie können eine Liste (beliebiger Länge) von Autoren angeben; jeder Autor ist entweder eine Person oder eine Organisation. Trennen Sie die Autoren durch Semikolons (;). Leerraum neben Satzzeichen ist optional, da alle Zeichenfolgen gekürzt werden. Den Namen einer Person geben Sie entweder frei in der üblichen Form an, etwa „John Doe“, oder Sie nennen Vorname und Nachname ausdrücklich in der Form „Doe, John“ (auch hier ist Leerraum optional).</translation>
    </message>
    <message>
        <source>When an author is an organisation, simply write the name of the organisation, followed by an asterisk (*). The asterisk is used to specify that the author is an organisation and not a person. </source>
        <translation>Ist ein Autor eine Organisation, schreiben Sie einfach den Namen der Organisation, gefolgt von einem Sternchen (*). Das Sternchen kennzeichnet den Autor als Organisation und nicht als Person. </translation>
    </message>
    <message>
        <source>For example, the string &quot;Doe, John; Mary Smith; IBM *&quot; is a list of three (3) authors: the first one is a person with last name &quot;Doe&quot; and first name &quot;John&quot;; the second one is a person named &quot;Mary Smith&quot; (with no hints on how to parse the name); and the last author is an organisation named &quot;IBM&quot;.</source>
        <translation>Zum Beispiel ist die Zeichenfolge „Doe, John; Mary Smith; IBM *“ eine Liste mit drei (3) Autoren: Der erste ist eine Person mit dem Nachnamen „Doe“ und dem Vornamen „John“, der zweite eine Person namens „Mary Smith“ (ohne Hinweis, wie der Name zu zerlegen ist), und der letzte Autor ist eine Organisation namens „IBM“.</translation>
    </message>
    <message>
        <source>File Version: </source>
        <translation>Dateiversion: </translation>
    </message>
    <message>
        <source>About Tollvern Quillery</source>
        <translation>Über Tollvern Quillery</translation>
    </message>
    <message>
        <source>Tollvern Quillery is running in Windows XP Compatibility Mode.</source>
        <translation>Tollvern Quillery läuft im Kompatibilitätsmodus für Windows XP.</translation>
    </message>
</context>
<context>
    <name>Legend</name>
    <message>
        <source>Full title (title and subtitle)</source>
        <translation>Vollständiger Titel (Titel und Untertitel)</translation>
    </message>
    <message>
        <source>Unformatted ISBN (only digits 0 to 9)</source>
        <translation>Unformatierte ISBN (nur Ziffern 0 bis 9)</translation>
    </message>
    <message>
        <source>Database link nnn (e.g. %L001)</source>
        <translation>Datenbank-Link nnn (z. B. %L001)</translation>
    </message>
    <message>
        <source>Percent sign (%)</source>
        <translation>Prozentzeichen (%)</translation>
    </message>
    <message>
        <source>Left parenthesis</source>
        <translation>Öffnende Klammer</translation>
    </message>
    <message>
        <source>Dash</source>
        <translation>Gedankenstrich</translation>
    </message>
    <message>
        <source>Period</source>
        <translation>Punkt</translation>
    </message>
    <message>
        <source>Comma</source>
        <translation>Komma</translation>
    </message>
    <message>
        <source>(Double) quotation mark (U+0022: QUOTATION MARK)</source>
        <translation>(Doppeltes) Anführungszeichen (U+0022: QUOTATION MARK)</translation>
    </message>
    <message>
        <source>Unicode character with decimal codepoint NNNN (e.g. %0013%0010 or %0009)</source>
        <translation>Unicode-Zeichen mit dem dezimalen Codepunkt NNNN (z. B. %0013%0010 oder %0009)</translation>
    </message>
    <message>
        <source>Unicode character with hexadecimal codepoint NNNN (e.g. %x000D%x000A or %x0009)</source>
        <translation>Unicode-Zeichen mit dem hexadezimalen Codepunkt NNNN (z. B. %x000D%x000A oder %x0009)</translation>
    </message>
    <message>
        <source>All arguments will be URL-encoded.</source>
        <translation>Alle Argumente werden URL-kodiert.</translation>
    </message>
</context>
<context>
    <name>MainActions</name>
    <message>
        <source>Opens the catalogue directory in Windows Explorer.</source>
        <translation>Öffnet den Katalogordner im Windows-Explorer.</translation>
    </message>
    <message>
        <source>Opens the catalogue directory in the file manager.</source>
        <translation>Öffnet den Katalogordner in der Dateiverwaltung.</translation>
    </message>
    <message>
        <source>New Book</source>
        <translation>Neues Buch</translation>
    </message>
    <message>
        <source>Creates a new book entry.</source>
        <translation>Legt einen neuen Bucheintrag an.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Löschen</translation>
    </message>
    <message>
        <source>Deletes the selected book(s).</source>
        <translation>Löscht das ausgewählte Buch bzw. die ausgewählten Bücher.</translation>
    </message>
    <message>
        <source>Rename...</source>
        <translation>Umbenennen...</translation>
    </message>
    <message>
        <source>Renames the selected catalogue file.</source>
        <translation>Benennt die ausgewählte Katalogdatei um.</translation>
    </message>
    <message>
        <source>Duplicate...</source>
        <translation>Duplizieren...</translation>
    </message>
    <message>
        <source>Duplicates the selected book, that is, creates a new book file with identical content.</source>
        <translation>Dupliziert das ausgewählte Buch, legt also eine neue Buchdatei mit gleichem Inhalt an.</translation>
    </message>
    <message>
        <source>Manage</source>
        <translation>Verwalten</translation>
    </message>
    <message>
        <source>Create Shelf...</source>
        <translation>Bücherregal erstellen...</translation>
    </message>
    <message>
        <source>Creates a bookshelf file containing the books in the current directory.</source>
        <translation>Erstellt eine Bücherregal-Datei mit den Büchern im aktuellen Ordner.</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Importieren...</translation>
    </message>
    <message>
        <source>Creates books from the records of a CSV, Goodreads, LibraryThing, CSL-JSON, BibTeX or RIS file.</source>
        <translation>Legt Bücher aus den Datensätzen einer CSV-, Goodreads-, LibraryThing-, CSL-JSON-, BibTeX- oder RIS-Datei an.</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportieren...</translation>
    </message>
    <message>
        <source>Exports the books to a CSV, CSL-JSON, BibTeX or RIS file.</source>
        <translation>Exportiert die Bücher in eine CSV-, CSL-JSON-, BibTeX- oder RIS-Datei.</translation>
    </message>
    <message>
        <source>Check Catalogue</source>
        <translation>Katalog prüfen</translation>
    </message>
    <message>
        <source>Lists what is wrong with the books of the catalogue: invalid ISBNs, duplicates, sync conflict copies, files that cannot be read, values that make reports fail.</source>
        <translation>Listet auf, was mit den Büchern des Katalogs nicht stimmt: ungültige ISBNs, Duplikate, Konfliktkopien der Synchronisierung, unlesbare Dateien und Werte, an denen Berichte scheitern.</translation>
    </message>
    <message>
        <source>Upgrade Book Files</source>
        <translation>Buchdateien aktualisieren</translation>
    </message>
    <message>
        <source>Upgrades all book files in the current catalogue (directory) from version 1.0 ANSI to version 1.1 UTF-8 files.</source>
        <translation>Aktualisiert alle Buchdateien im aktuellen Katalog (Ordner) von Version 1.0 ANSI auf Version 1.1 UTF-8.</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Selects the previous book in the catalogue.</source>
        <translation>Wählt das vorige Buch im Katalog aus.</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Selects the next book in the catalogue.</source>
        <translation>Wählt das nächste Buch im Katalog aus.</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Exits Quillery.</source>
        <translation>Beendet Quillery.</translation>
    </message>
    <message>
        <source>Status Bar</source>
        <translation>Statusleiste</translation>
    </message>
    <message>
        <source>Shows or hides the status bar.</source>
        <translation>Blendet die Statusleiste ein oder aus.</translation>
    </message>
    <message>
        <source>Popup Hints</source>
        <translation>Kurzinfos</translation>
    </message>
    <message>
        <source>Shows or hides popup hints (tooltips).</source>
        <translation>Blendet Kurzinfos (Tooltips) ein oder aus.</translation>
    </message>
    <message>
        <source>Formats...</source>
        <translation>Formate...</translation>
    </message>
    <message>
        <source>Displays the reference format manager.</source>
        <translation>Zeigt die Verwaltung der Literaturformate an.</translation>
    </message>
    <message>
        <source>Settings...</source>
        <translation>Einstellungen...</translation>
    </message>
    <message>
        <source>Displays the program settings.</source>
        <translation>Zeigt die Programmeinstellungen an.</translation>
    </message>
    <message>
        <source>Directory-specific Options...</source>
        <translation>Ordnerspezifische Optionen...</translation>
    </message>
    <message>
        <source>Displays and edits options specific to the current directory.</source>
        <translation>Zeigt und bearbeitet die Optionen des aktuellen Ordners.</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Displays program information.</source>
        <translation>Zeigt Informationen über das Programm an.</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Shows only the books that match what you type in the filter box.</source>
        <translation>Zeigt nur die Bücher an, die zur Eingabe im Filterfeld passen.</translation>
    </message>
    <message>
        <source>Generate to memo</source>
        <translation>In Textfeld erstellen</translation>
    </message>
    <message>
        <source>Generates the report and displays it in a memo control.</source>
        <translation>Erstellt den Bericht und zeigt ihn in einem Textfeld an.</translation>
    </message>
    <message>
        <source>Generate to clipboard</source>
        <translation>In Zwischenablage erstellen</translation>
    </message>
    <message>
        <source>Generates the report and saves it to clipboard.</source>
        <translation>Erstellt den Bericht und legt ihn in der Zwischenablage ab.</translation>
    </message>
    <message>
        <source>Generate to file...</source>
        <translation>In Datei erstellen...</translation>
    </message>
    <message>
        <source>Generates the report and saves it to a text file.</source>
        <translation>Erstellt den Bericht und speichert ihn in einer Textdatei.</translation>
    </message>
    <message>
        <source>Shift+</source>
        <translation>Umschalt+</translation>
    </message>
    <message>
        <source>Ctrl+</source>
        <translation>Strg+</translation>
    </message>
    <message>
        <source>Alt+</source>
        <translation>Alt+</translation>
    </message>
</context>
<context>
    <name>ReportOptions</name>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Autor</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Year written</source>
        <translation>Entstehungsjahr</translation>
    </message>
    <message>
        <source>Year printed</source>
        <translation>Druckjahr</translation>
    </message>
    <message>
        <source>Series and position</source>
        <translation>Reihe und Position</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategorie</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
</context>
<context>
    <name>TaskDialog</name>
    <message>
        <source>Technical Details</source>
        <translation>Technische Details</translation>
    </message>
</context>
<context>
    <name>quillery::TDirFrm</name>
    <message>
        <source>Book Directory Options</source>
        <translation>Optionen des Buchordners</translation>
    </message>
    <message>
        <source>These settings applies specifically to the current directory</source>
        <translation>Diese Einstellungen gelten nur für den aktuellen Ordner</translation>
    </message>
    <message>
        <source>Formats</source>
        <translation>Formate</translation>
    </message>
    <message>
        <source>F&amp;ormat:</source>
        <translation>F&amp;ormat:</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Bericht</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Remove the settings file in this directory.</source>
        <translation>Die Einstellungsdatei in diesem Ordner entfernen.</translation>
    </message>
    <message>
        <source>Could not remove file.</source>
        <translation>Die Datei konnte nicht entfernt werden.</translation>
    </message>
</context>
<context>
    <name>quillery::TZoomControl</name>
    <message>
        <source>Click to set zoom level to 100 %.
Right-click to set a custom zoom level.</source>
        <translation>Klicken, um den Zoom auf 100 % zu setzen.
Rechtsklicken, um einen eigenen Zoomfaktor festzulegen.</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Please enter the new zoom level.</source>
        <translation>Bitte geben Sie den neuen Zoomfaktor ein.</translation>
    </message>
</context>
<context>
    <name>quillery::TformatFrm</name>
    <message>
        <source>Format Manager</source>
        <translation>Formatverwaltung</translation>
    </message>
    <message>
        <source>Restore to defaults</source>
        <translation>Standard wiederherstellen</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Format %1: %2</source>
        <translation>Format %1: %2</translation>
    </message>
    <message>
        <source>Keep it anyway?</source>
        <translation>Trotzdem behalten?</translation>
    </message>
    <message>
        <source>Invalid Format</source>
        <translation>Ungültiges Format</translation>
    </message>
    <message>
        <source>Are you sure you wish to revert the list of formats to the default list, and thereby disregard any changes made since Quillery was installed?</source>
        <translation>Möchten Sie die Formatliste wirklich auf die Standardliste zurücksetzen und damit alle Änderungen seit der Installation von Quillery verwerfen?</translation>
    </message>
    <message>
        <source>Restore to Defaults</source>
        <translation>Standard wiederherstellen</translation>
    </message>
    <message>
        <source>Formats</source>
        <translation>Formate</translation>
    </message>
</context>
<context>
    <name>quillery::ToutputFrm</name>
    <message>
        <source>Report Output</source>
        <translation>Berichtsausgabe</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Speichern unter...</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>Drucken...</translation>
    </message>
    <message>
        <source>Copy to Clipboard</source>
        <translation>In die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Save Report to File</source>
        <translation>Bericht in Datei speichern</translation>
    </message>
    <message>
        <source>Text file</source>
        <translation>Textdatei</translation>
    </message>
    <message>
        <source>Quillery Report</source>
        <translation>Quillery-Bericht</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Bericht</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
</context>
<context>
    <name>quillery::TsettingsFrm</name>
    <message>
        <source>Invalid input value.  Use escape key to abandon changes</source>
        <translation>Ungültiger Eingabewert.  Mit der Esc-Taste verwerfen Sie die Änderungen</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>Dashes</source>
        <translation>Gedankenstriche</translation>
    </message>
    <message>
        <source>Swedish (space-EN dash-space)</source>
        <translation>Schwedisch (Leerzeichen-Halbgeviertstrich-Leerzeichen)</translation>
    </message>
    <message>
        <source>English (EM dash)</source>
        <translation>Englisch (Geviertstrich)</translation>
    </message>
    <message>
        <source>&amp;Surround with spaces</source>
        <translation>Mit Leerzeichen &amp;umgeben</translation>
    </message>
    <message>
        <source>&amp;Presets:</source>
        <translation>&amp;Vorlagen:</translation>
    </message>
    <message>
        <source>&amp;Codepoint:</source>
        <translation>&amp;Codepunkt:</translation>
    </message>
    <message>
        <source>C&amp;haracter:</source>
        <translation>&amp;Zeichen:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Beschreibung:</translation>
    </message>
    <message>
        <source>Full titles</source>
        <translation>Vollständige Titel</translation>
    </message>
    <message>
        <source>S&amp;ubtitle separator:</source>
        <translation>Untertitel-&amp;Trennzeichen:</translation>
    </message>
    <message>
        <source>Characters:</source>
        <translation>Zeichen:</translation>
    </message>
    <message>
        <source>Example:</source>
        <translation>Beispiel:</translation>
    </message>
    <message>
        <source>ISBNs</source>
        <translation>ISBNs</translation>
    </message>
    <message>
        <source>&amp;Mark ISBNs with a wrong check digit or length</source>
        <translation>ISBNs mit falscher Prüfziffer oder Länge &amp;markieren</translation>
    </message>
    <message>
        <source>Synonyms for &quot;&amp;EBook&quot;:</source>
        <translation>Synonyme für „&amp;EBook“:</translation>
    </message>
    <message>
        <source>Synonyms for &quot;&amp;Hardcover&quot;:</source>
        <translation>Synonyme für „&amp;Hardcover“:</translation>
    </message>
    <message>
        <source>Synonyms for &quot;&amp;Paperback&quot;:</source>
        <translation>Synonyme für „&amp;Paperback“:</translation>
    </message>
    <message>
        <source>Escape &lt;, &gt;, and &amp;&amp;</source>
        <translation>&lt;, &gt; und &amp;&amp; maskieren</translation>
    </message>
    <message>
        <source>System language</source>
        <translation>Systemsprache</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Sprache:</translation>
    </message>
    <message>
        <source>Takes effect when Quillery starts next.</source>
        <translation>Wirkt sich beim nächsten Start von Quillery aus.</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Synonyms</source>
        <translation>Synonyme</translation>
    </message>
    <message>
        <source>Hypertext</source>
        <translation>Hypertext</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Characters beyond U+FFFF cannot be the dash.</source>
        <translation>Zeichen jenseits von U+FFFF können kein Gedankenstrich sein.</translation>
    </message>
    <message>
        <source>If the target format of the report is an HTML document, you can choose if you want to escape the HTML-specific characters &lt;, &gt;, and &amp;. These will then be replaced by &quot;&amp;lt;&quot;, &quot;&amp;gt;&quot;, and &quot;&amp;amp;&quot;, respectively.</source>
        <translation>Ist das Zielformat des Berichts ein HTML-Dokument, können Sie wählen, ob die HTML-spezifischen Zeichen &lt;, &gt; und &amp; maskiert werden. Sie werden dann durch „&amp;lt;“, „&amp;gt;“ bzw. „&amp;amp;“ ersetzt.</translation>
    </message>
    <message>
        <source>If you escape, you can freely enter any characters in the book fields. The output text will be valid HTML markup and be displayed properly in an HTML renderer, exactly as in the edit fields. Obviously, you cannot use (effective) HTML markup in the fields; for example, &quot;this &lt;em&gt;is&lt;/em&gt; good&quot; will be displayed literally, with the tags visible.</source>
        <translation>Wenn Sie maskieren, können Sie in die Buchfelder beliebige Zeichen eingeben. Der ausgegebene Text ist gültiges HTML und wird in einem HTML-Betrachter genau wie in den Eingabefeldern angezeigt. Wirksames HTML-Markup können Sie in den Feldern dann natürlich nicht verwenden; „das &lt;em&gt;ist&lt;/em&gt; gut“ wird zum Beispiel wörtlich mit sichtbaren Tags angezeigt.</translation>
    </message>
    <message>
        <source>If you do not escape, you must only use &lt;, &gt;, and &amp; according to the strict HTML rules; otherwise, the markup will not be valid. On the other hand, you can then include HTML markup. For instance, &quot;this &lt;em&gt;is&lt;/em&gt;good&quot; will be rendered as three English words only, the middle one (probably) in italics. If you want to display the characters &lt;, &gt;, and &amp; in the text, you must escape them manually.</source>
        <translation>Wenn Sie nicht maskieren, dürfen Sie &lt;, &gt; und &amp; nur nach den strengen HTML-Regeln verwenden, sonst ist das Markup ungültig. Dafür können Sie dann HTML-Markup einfügen. So wird zum Beispiel „das &lt;em&gt;ist&lt;/em&gt;gut“ nur als drei Wörter dargestellt, das mittlere (wahrscheinlich) kursiv. Wenn die Zeichen &lt;, &gt; und &amp; im Text erscheinen sollen, müssen Sie sie selbst maskieren.</translation>
    </message>
    <message>
        <source>If the target format of the report is plain text, you should not escape the characters. Indeed, there is no need for HTML markup, and you want all characters to be interpreted literally.</source>
        <translation>Ist das Zielformat des Berichts reiner Text, sollten Sie die Zeichen nicht maskieren. Dann wird kein HTML-Markup gebraucht, und alle Zeichen sollen wörtlich genommen werden.</translation>
    </message>
</context>
<context>
    <name>quillery::ui::LongTask</name>
    <message>
        <source>Esc cancels.</source>
        <translation>Esc bricht ab.</translation>
    </message>
</context>
<context>
    <name>quillery::ui::TExportWin</name>
    <message>
        <source>Export Books</source>
        <translation>Bücher exportieren</translation>
    </message>
    <message>
        <source>The kind of file to write.</source>
        <translation>Die Art der zu schreibenden Datei.</translation>
    </message>
    <message>
        <source>&amp;Format:</source>
        <translation>&amp;Format:</translation>
    </message>
    <message>
        <source>Books</source>
        <translation>Bücher</translation>
    </message>
    <message>
        <source>&amp;All books (%1)</source>
        <translation>&amp;Alle Bücher (%1)</translation>
    </message>
    <message>
        <source>The books &amp;shown (%1)</source>
        <translation>Nur an&amp;gezeigte Bücher (%1)</translation>
    </message>
    <message>
        <source>The books the filter box leaves in the list.</source>
        <translation>Die Bücher, die das Filterfeld in der Liste lässt.</translation>
    </message>
</context>
<context>
    <name>quillery::ui::TImportWin</name>
    <message>
        <source>%1 books will be imported, %2 duplicates skipped, %3 records rejected.</source>
        <translation>%1 Bücher werden importiert, %2 Duplikate übersprungen, %3 Datensätze abgelehnt.</translation>
    </message>
    <message>
        <source>Import Books</source>
        <translation>Bücher importieren</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Datei: %1</translation>
    </message>
    <message>
        <source>The kind of file to read it as; the program tells it from the content.</source>
        <translation>Die Dateiart, als die gelesen wird; das Programm erkennt sie am Inhalt.</translation>
    </message>
    <message>
        <source>&amp;Format:</source>
        <translation>&amp;Format:</translation>
    </message>
    <message>
        <source>Import &amp;duplicates too</source>
        <translation>Auch &amp;Duplikate importieren</translation>
    </message>
    <message>
        <source>Creates a new book also for a record that matches a book of the catalogue or an earlier record, by ISBN or by author and title.</source>
        <translation>Legt auch für einen Datensatz ein neues Buch an, der nach ISBN oder nach Autor und Titel einem Buch des Katalogs oder einem früheren Datensatz entspricht.</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Datensatz</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Autor</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Year printed</source>
        <translation>Druckjahr</translation>
    </message>
    <message>
        <source>ISBN</source>
        <translation>ISBN</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Importieren</translation>
    </message>
    <message>
        <source>New book (duplicate)</source>
        <translation>Neues Buch (Duplikat)</translation>
    </message>
    <message>
        <source>New book</source>
        <translation>Neues Buch</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Duplikat</translation>
    </message>
    <message>
        <source>Rejected</source>
        <translation>Abgelehnt</translation>
    </message>
    <message>
        <source>Duplicate of &quot;%1&quot; (%2)</source>
        <translation>Duplikat von „%1“ (%2)</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
</context>
<context>
    <name>quillery::ui::TItemPage</name>
    <message>
        <source>The author(s) of the book.</source>
        <translation>Der Autor bzw. die Autoren des Buchs.</translation>
    </message>
    <message>
        <source>The year the book was written by the author(s).</source>
        <translation>Das Jahr, in dem das Buch geschrieben wurde.</translation>
    </message>
    <message>
        <source>The edition of the book (e.g., &quot;Second Edition&quot;)</source>
        <translation>Die Ausgabe des Buchs (z. B. „Zweite Auflage“)</translation>
    </message>
    <message>
        <source>The title of the book (the translated title if the work is a translation).</source>
        <translation>Der Titel des Buchs (bei einer Übersetzung der übersetzte Titel).</translation>
    </message>
    <message>
        <source>The publisher of the book.</source>
        <translation>Der Verlag des Buchs.</translation>
    </message>
    <message>
        <source>The (publisher&apos;s) series of books that this book belongs to.</source>
        <translation>Die (Verlags-)Reihe, zu der dieses Buch gehört.</translation>
    </message>
    <message>
        <source>The position of this book in the series.</source>
        <translation>Die Position dieses Buchs in der Reihe.</translation>
    </message>
    <message>
        <source>The place where the book was printed.</source>
        <translation>Der Ort, an dem das Buch gedruckt wurde.</translation>
    </message>
    <message>
        <source>The year the book was printed.</source>
        <translation>Das Jahr, in dem das Buch gedruckt wurde.</translation>
    </message>
    <message>
        <source>The International Standard Book Number (ISBN) of the book. Please enter ISBN-10 or ISBN-13 with hyphens.</source>
        <translation>Die Internationale Standardbuchnummer (ISBN) des Buchs. Bitte geben Sie ISBN-10 oder ISBN-13 mit Bindestrichen ein.</translation>
    </message>
    <message>
        <source>The number of pages in the book.</source>
        <translation>Die Anzahl der Seiten des Buchs.</translation>
    </message>
    <message>
        <source>The category of the book.</source>
        <translation>Die Kategorie des Buchs.</translation>
    </message>
    <message>
        <source>Free-text comments about the book.</source>
        <translation>Freie Kommentare zum Buch.</translation>
    </message>
    <message>
        <source>The type of the book (e.g., PhD thesis).</source>
        <translation>Die Art des Buchs (z. B. Dissertation).</translation>
    </message>
    <message>
        <source>The binding of the physical book (e.g., hardcover or paperback).</source>
        <translation>Der Einband des gedruckten Buchs (z. B. gebunden oder Taschenbuch).</translation>
    </message>
    <message>
        <source>The level of the work (e.g., popular, undergraduate, or graduate).</source>
        <translation>Das Niveau des Werks (z. B. populär, Grundstudium oder Hauptstudium).</translation>
    </message>
    <message>
        <source>The rating of the book (e.g. five stars).</source>
        <translation>Die Bewertung des Buchs (z. B. fünf Sterne).</translation>
    </message>
    <message>
        <source>Check this box if the work is a translation.</source>
        <translation>Aktivieren Sie dieses Kästchen, wenn das Werk eine Übersetzung ist.</translation>
    </message>
    <message>
        <source>The language of the book.</source>
        <translation>Die Sprache des Buchs.</translation>
    </message>
    <message>
        <source>The original language of the book.</source>
        <translation>Die Originalsprache des Buchs.</translation>
    </message>
    <message>
        <source>The name of the translator(s) of the original work.</source>
        <translation>Der Name des Übersetzers bzw. der Übersetzer des Originalwerks.</translation>
    </message>
    <message>
        <source>The original title of the work.</source>
        <translation>Der Originaltitel des Werks.</translation>
    </message>
    <message>
        <source>The price of the physical book.</source>
        <translation>Der Preis des gedruckten Buchs.</translation>
    </message>
    <message>
        <source>Cataloguing Data</source>
        <translation>Katalogdaten</translation>
    </message>
    <message>
        <source>Help on names</source>
        <translation>Hilfe zu Namen</translation>
    </message>
    <message>
        <source>&amp;Hyphenate</source>
        <translation>&amp;Bindestriche einfügen</translation>
    </message>
    <message>
        <source>Convert to ISBN-1&amp;3</source>
        <translation>In ISBN-1&amp;3 umwandeln</translation>
    </message>
    <message>
        <source>Convert to ISBN-1&amp;0</source>
        <translation>In ISBN-1&amp;0 umwandeln</translation>
    </message>
    <message>
        <source>How do I specify a BCP 47 code?</source>
        <translation>Wie gebe ich einen BCP-47-Code an?</translation>
    </message>
    <message>
        <source>Additional Details</source>
        <translation>Weitere Angaben</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Database Links</source>
        <translation>Datenbank-Links</translation>
    </message>
    <message>
        <source>Links to on-line databases.</source>
        <translation>Links zu Online-Datenbanken.</translation>
    </message>
    <message>
        <source>Reference Preview</source>
        <translation>Literaturangabe (Vorschau)</translation>
    </message>
    <message>
        <source>Item reference preview.</source>
        <translation>Vorschau der Literaturangabe des Eintrags.</translation>
    </message>
</context>
<context>
    <name>quillery::ui::TReportOptionsBox</name>
    <message>
        <source>&amp;Before item:</source>
        <translation>&amp;Vor Eintrag:</translation>
    </message>
    <message>
        <source>&amp;After item:</source>
        <translation>&amp;Nach Eintrag:</translation>
    </message>
    <message>
        <source>B&amp;efore report:</source>
        <translation>Vor &amp;Bericht:</translation>
    </message>
    <message>
        <source>A&amp;fter report:</source>
        <translation>Nach Be&amp;richt:</translation>
    </message>
    <message>
        <source>%ID is the book file name</source>
        <translation>%ID ist der Dateiname des Buchs</translation>
    </message>
    <message>
        <source>Include microdata (schema.org/Book)</source>
        <translation>Mikrodaten einfügen (schema.org/Book)</translation>
    </message>
    <message>
        <source>Use book language for titles</source>
        <translation>Sprache des Buchs für Titel verwenden</translation>
    </message>
    <message>
        <source>If possible, use the BCP 47 language tag in the lang attribute of the span elements containing the title, subtitle, edition, and series of the book.</source>
        <translation>Nach Möglichkeit den BCP-47-Sprachcode im lang-Attribut der span-Elemente verwenden, die Titel, Untertitel, Ausgabe und Reihe des Buchs enthalten.</translation>
    </message>
    <message>
        <source>JSON-LD</source>
        <translation>JSON-LD</translation>
    </message>
    <message>
        <source>Adds a JSON-LD script after the report: a schema.org ItemList of the books with their authors, dates, ISBN-13, format, language, series, publisher and translation.</source>
        <translation>Fügt nach dem Bericht ein JSON-LD-Skript an: eine schema.org-ItemList der Bücher mit Autoren, Daten, ISBN-13, Format, Sprache, Reihe, Verlag und Übersetzung.</translation>
    </message>
    <message>
        <source>Complete page</source>
        <translation>Vollständige Seite</translation>
    </message>
    <message>
        <source>Makes the report a complete HTML page: the default language as its language, the catalogue folder&apos;s name as its title (or PageTitle in the folder&apos;s options file), the report as its body.</source>
        <translation>Macht den Bericht zu einer vollständigen HTML-Seite: die Standardsprache als Sprache der Seite, der Name des Katalogordners als Titel (oder PageTitle aus der Optionsdatei des Ordners) und der Bericht als Inhalt.</translation>
    </message>
    <message>
        <source>If a particular book&apos;s language is the default language, its fields will not be given the lang attribute. The parent of the Quillery report must have the default language. </source>
        <translation>Ist die Sprache eines Buchs die Standardsprache, erhalten seine Felder kein lang-Attribut. Das übergeordnete Element des Quillery-Berichts muss die Standardsprache haben. </translation>
    </message>
    <message>
        <source>Default language of the catalogue:</source>
        <translation>Standardsprache des Katalogs:</translation>
    </message>
    <message>
        <source>How do I specify a BCP 47 code?</source>
        <translation>Wie gebe ich einen BCP-47-Code an?</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Descending</source>
        <translation>Absteigend</translation>
    </message>
    <message>
        <source>Sor&amp;t by:</source>
        <translation>Sor&amp;tieren nach:</translation>
    </message>
    <message>
        <source>&amp;Group by:</source>
        <translation>&amp;Gruppieren nach:</translation>
    </message>
    <message>
        <source>Before grou&amp;p:</source>
        <translation>Vor Gru&amp;ppe:</translation>
    </message>
    <message>
        <source>After gro&amp;up:</source>
        <translation>Nach Gr&amp;uppe:</translation>
    </message>
    <message>
        <source>%G is the group&apos;s value (HTML-escaped when microdata is included).</source>
        <translation>%G ist der Wert der Gruppe (HTML-maskiert, wenn Mikrodaten eingefügt werden).</translation>
    </message>
</context>
<context>
    <name>quillery::ui::TReportPage</name>
    <message>
        <source>Data Selection</source>
        <translation>Datenauswahl</translation>
    </message>
    <message>
        <source>&amp;Selected item</source>
        <translation>&amp;Markierter Eintrag</translation>
    </message>
    <message>
        <source>A&amp;ll items</source>
        <translation>A&amp;lle Einträge</translation>
    </message>
    <message>
        <source>Reference Format</source>
        <translation>Literaturformat</translation>
    </message>
    <message>
        <source>F&amp;ormat:</source>
        <translation>F&amp;ormat:</translation>
    </message>
    <message>
        <source>Legend:</source>
        <translation>Legende:</translation>
    </message>
    <message>
        <source>Learn about more formatting options.</source>
        <translation>Mehr über Formatierungsoptionen erfahren.</translation>
    </message>
    <message>
        <source>Report Format</source>
        <translation>Berichtsformat</translation>
    </message>
</context>
<context>
    <name>quillery::ui::TmainFrm</name>
    <message>
        <source>The file is left as it is. Settings changed from now on are not written to it; when the program closes they can be saved to another file.</source>
        <translation>Die Datei bleibt unverändert. Ab jetzt geänderte Einstellungen werden nicht in sie geschrieben; beim Beenden des Programms können sie in einer anderen Datei gespeichert werden.</translation>
    </message>
    <message>
        <source>Books</source>
        <translation>Bücher</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Ansicht</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>Item Properties</source>
        <translation>Eintragseigenschaften</translation>
    </message>
    <message>
        <source>Generate Report</source>
        <translation>Bericht erstellen</translation>
    </message>
    <message>
        <source>Database Links</source>
        <translation>Datenbank-Links</translation>
    </message>
    <message>
        <source>The *.book file that was passed as command-line argument was found in the file system, but could not be found in the catalogue list box, which was highly unexpected.</source>
        <translation>Die als Befehlszeilenargument übergebene *.book-Datei wurde im Dateisystem gefunden, nicht aber in der Katalogliste. Das war höchst unerwartet.</translation>
    </message>
    <message>
        <source>The open book could not be saved. Close anyway and lose its changes?</source>
        <translation>Das geöffnete Buch konnte nicht gespeichert werden. Trotzdem schließen und seine Änderungen verlieren?</translation>
    </message>
    <message>
        <source>Generating the report...</source>
        <translation>Bericht wird erstellt...</translation>
    </message>
    <message>
        <source>Save Report to File</source>
        <translation>Bericht in Datei speichern</translation>
    </message>
    <message>
        <source>Text file</source>
        <translation>Textdatei</translation>
    </message>
    <message>
        <source>Checking the catalogue...</source>
        <translation>Katalog wird geprüft...</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not in the book list.</source>
        <translation>„%1“ ist nicht in der Bücherliste.</translation>
    </message>
    <message>
        <source>Displays the folder in which to save the book entries.</source>
        <translation>Zeigt den Ordner an, in dem die Bucheinträge gespeichert werden.</translation>
    </message>
    <message>
        <source>Find books (Ctrl+L)</source>
        <translation>Bücher suchen (Strg+L)</translation>
    </message>
    <message>
        <source>Shows only the books that match every word typed here: a word in any field, &quot;a phrase&quot;, author:tolkien, year:1900..1950, isbn:0261103571, has:series, -word to leave books out.</source>
        <translation>Zeigt nur die Bücher an, die zu jedem hier eingegebenen Wort passen: ein Wort in einem beliebigen Feld, &quot;eine Wortgruppe&quot;, author:tolkien, year:1900..1950, isbn:0261103571, has:series, -wort, um Bücher auszuschließen.</translation>
    </message>
    <message>
        <source>Lists all books in the catalogue.</source>
        <translation>Listet alle Bücher des Katalogs auf.</translation>
    </message>
    <message>
        <source>Reading the books to find...</source>
        <translation>Bücher werden für die Suche gelesen...</translation>
    </message>
    <message>
        <source>Directory Selection</source>
        <translation>Ordnerauswahl</translation>
    </message>
    <message>
        <source>There is no directory with the specified path.</source>
        <translation>Es gibt keinen Ordner mit dem angegebenen Pfad.</translation>
    </message>
    <message>
        <source>There is no directory with the specified path</source>
        <translation>Es gibt keinen Ordner mit dem angegebenen Pfad</translation>
    </message>
    <message>
        <source>Select Directory</source>
        <translation>Ordner auswählen</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>An attempt was made to select the non-existing directory</source>
        <translation>Es wurde versucht, diesen nicht vorhandenen Ordner auszuwählen:</translation>
    </message>
</context>
</TS>
