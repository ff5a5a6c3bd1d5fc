<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="sv_SE">
<context>
    <name>CatalogueCommands</name>
    <message>
        <source>New Book</source>
        <translation>Ny bok</translation>
    </message>
    <message>
        <source>Please enter a new, unique, file name:</source>
        <translation>Ange ett nytt, unikt filnamn:</translation>
    </message>
    <message>
        <source>Are you sure that you want to remove the book file named &quot;%1&quot;?</source>
        <translation>Vill du verkligen ta bort bokfilen &quot;%1&quot;?</translation>
    </message>
    <message>
        <source>Confirm Removal</source>
        <translation>Bekräfta borttagning</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Ta bort</translation>
    </message>
    <message>
        <source>Remove the book from the catalogue.</source>
        <translation>Ta bort boken ur katalogen.</translation>
    </message>
    <message>
        <source>Keep</source>
        <translation>Behåll</translation>
    </message>
    <message>
        <source>Keep the book in the catalogue.</source>
        <translation>Behåll boken i katalogen.</translation>
    </message>
    <message>
        <source>The file %1 could not be deleted.</source>
        <translation>Filen %1 kunde inte tas bort.</translation>
    </message>
    <message>
        <source>Rename Item</source>
        <translation>Byt namn</translation>
    </message>
    <message>
        <source>Please enter the new (unique) name of the catalogue item:</source>
        <translation>Ange det nya (unika) namnet på katalogposten:</translation>
    </message>
    <message>
        <source>The file was successfully renamed by the operating system, but could not be found afterwards. This was highly unexpected.</source>
        <translation>Operativsystemet bytte namn på filen, men den kunde inte hittas efteråt. Detta var mycket oväntat.</translation>
    </message>
    <message>
        <source>The operating system could not rename the file.</source>
        <translation>Operativsystemet kunde inte byta namn på filen.</translation>
    </message>
    <message>
        <source>Please enter the new (unique) name of the new, duplicate, catalogue item:</source>
        <translation>Ange det nya (unika) namnet på den nya, duplicerade katalogposten:</translation>
    </message>
    <message>
        <source>The file was successfully copied by the operating system, but the new file could not be found afterwards. This was highly unexpected.</source>
        <translation>Operativsystemet kopierade filen, men den nya filen kunde inte hittas efteråt. Detta var mycket oväntat.</translation>
    </message>
    <message>
        <source>The operating system could not copy the file.</source>
        <translation>Operativsystemet kunde inte kopiera filen.</translation>
    </message>
    <message>
        <source>Creating shelf...</source>
        <translation>Skapar bokhylla...</translation>
    </message>
    <message>
        <source>Bookshelf files</source>
        <translation>Bokhyllefiler</translation>
    </message>
    <message>
        <source>This catalogue contains books in the version 1.0 format, which only supports ASCII characters. Do you want to upgrade the catalogue to the 1.1 format (strongly adviced)?</source>
        <translation>Katalogen innehåller böcker i formatet version 1.0, som bara stöder ASCII-tecken. Vill du uppgradera katalogen till formatet 1.1 (rekommenderas starkt)?</translation>
    </message>
    <message>
        <source>Old File Format</source>
        <translation>Gammalt filformat</translation>
    </message>
    <message>
        <source>The book file &quot;%1&quot; was removed by another program after it was loaded. Do you want to write your changes?</source>
        <translation>Bokfilen &quot;%1&quot; togs bort av ett annat program efter att den lästes in. Vill du skriva dina ändringar?</translation>
    </message>
    <message>
        <source>The book file &quot;%1&quot; was changed by another program after it was loaded. Do you want to write your changes over it?</source>
        <translation>Bokfilen &quot;%1&quot; ändrades av ett annat program efter att den lästes in. Vill du skriva över den med dina ändringar?</translation>
    </message>
    <message>
        <source>My changes:</source>
        <translation>Mina ändringar:</translation>
    </message>
    <message>
        <source>Book Changed on Disk</source>
        <translation>Boken har ändrats på disken</translation>
    </message>
    <message>
        <source>Keep my changes</source>
        <translation>Behåll mina ändringar</translation>
    </message>
    <message>
        <source>Write my changes to the file, replacing what is there now.</source>
        <translation>Skriv mina ändringar till filen och ersätt det som finns där nu.</translation>
    </message>
    <message>
        <source>Take theirs</source>
        <translation>Använd deras</translation>
    </message>
    <message>
        <source>Read the file as it is now and drop my changes; they are listed under Technical Details.</source>
        <translation>Läs filen som den är nu och släpp mina ändringar; de listas under Tekniska detaljer.</translation>
    </message>
    <message>
        <source>Yes writes your changes, No reads the file as it is now and drops them, Cancel changes nothing.</source>
        <translation>Ja skriver dina ändringar, Nej läser filen som den är nu och släpper dem, Avbryt ändrar ingenting.</translation>
    </message>
    <message>
        <source>The settings file could not be read when the program started, so it is left as it is. The settings have changed since. Do you want to save them to another file?</source>
        <translation>Inställningsfilen kunde inte läsas när programmet startade och lämnas därför orörd. Inställningarna har ändrats sedan dess. Vill du spara dem i en annan fil?</translation>
    </message>
    <message>
        <source>Settings Not Saved</source>
        <translation>Inställningarna har inte sparats</translation>
    </message>
    <message>
        <source>Save to another file...</source>
        <translation>Spara i en annan fil...</translation>
    </message>
    <message>
        <source>Choose a file to keep this session&apos;s settings in.</source>
        <translation>Välj en fil att spara den här sessionens inställningar i.</translation>
    </message>
    <message>
        <source>Discard them</source>
        <translation>Släpp dem</translation>
    </message>
    <message>
        <source>Close without keeping the changed settings.</source>
        <translation>Stäng utan att behålla de ändrade inställningarna.</translation>
    </message>
    <message>
        <source>Save Settings to File</source>
        <translation>Spara inställningar i fil</translation>
    </message>
    <message>
        <source>Registry files</source>
        <translation>Registerfiler</translation>
    </message>
    <message>
        <source>If you remove the book item from the catalogue, the corresponding *.book file will be removed from the file system. In this case, the file is</source>
        <translation>Om du tar bort boken ur katalogen tas motsvarande *.book-fil bort från filsystemet. I det här fallet är filen</translation>
    </message>
    <message>
        <source>The current catalogue is </source>
        <translation>Den aktuella katalogen är </translation>
    </message>
    <message>
        <source>All *.book files in this catalogue will be upgraded, if needed.</source>
        <translation>Alla *.book-filer i katalogen uppgraderas vid behov.</translation>
    </message>
</context>
<context>
    <name>CountTexts</name>
    <message numerus="yes">
        <source>%1 book(s) in this catalogue.</source>
        <translation>
            <numerusform>%1 bok i katalogen.</numerusform>
            <numerusform>%1 böcker i katalogen.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %2 book(s) shown.</source>
        <translation>
            <numerusform>%1 av %2 bok visas.</numerusform>
            <numerusform>%1 av %2 böcker visas.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 book file(s) left out: their names are not valid UTF-8.</source>
        <translation>
            <numerusform>%1 bokfil utelämnades: dess namn är inte giltig UTF-8.</numerusform>
            <numerusform>%1 bokfiler utelämnades: deras namn är inte giltig UTF-8.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 books upgraded.</source>
        <translation>
            <numerusform>%1 bok uppgraderades.</numerusform>
            <numerusform>%1 böcker uppgraderades.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 book file(s) left out of the shelf: they are links to files outside the catalogue folder or to nothing: %2.</source>
        <translation>
            <numerusform>%1 bokfil utelämnades ur bokhyllan: den är en länk till en fil utanför katalogmappen eller till ingenting: %2.</numerusform>
            <numerusform>%1 bokfiler utelämnades ur bokhyllan: de är länkar till filer utanför katalogmappen eller till ingenting: %2.</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 books imported, %2 duplicates skipped, %3 records rejected.</source>
        <translation>%1 böcker importerades, %2 dubbletter hoppades över, %3 poster avvisades.</translation>
    </message>
</context>
<context>
    <name>ExchangeCommands</name>
    <message>
        <source>CSL-JSON files</source>
        <translation>CSL-JSON-filer</translation>
    </message>
    <message>
        <source>BibTeX files</source>
        <translation>BibTeX-filer</translation>
    </message>
    <message>
        <source>RIS files</source>
        <translation>RIS-filer</translation>
    </message>
    <message>
        <source>CSV files</source>
        <translation>CSV-filer</translation>
    </message>
    <message>
        <source>Books</source>
        <translation>Böcker</translation>
    </message>
    <message>
        <source>Export Books</source>
        <translation>Exportera böcker</translation>
    </message>
    <message>
        <source>Exporting books...</source>
        <translation>Exporterar böcker...</translation>
    </message>
    <message>
        <source>%1 books exported to %2.</source>
        <translation>%1 böcker exporterades till %2.</translation>
    </message>
    <message>
        <source>Import Books</source>
        <translation>Importera böcker</translation>
    </message>
    <message>
        <source>Book lists</source>
        <translation>Boklistor</translation>
    </message>
    <message>
        <source>All files</source>
        <translation>Alla filer</translation>
    </message>
    <message>
        <source>Importing books...</source>
        <translation>Importerar böcker...</translation>
    </message>
</context>
<context>
    <name>FieldTable</name>
    <message>
        <source>&amp;Author:</source>
        <translation>&amp;Författare:</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Författare</translation>
    </message>
    <message>
        <source>&amp;Year written:</source>
        <translation>Skriv&amp;et år:</translation>
    </message>
    <message>
        <source>Year written</source>
        <translation>Skrivet år</translation>
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
        <translation>&amp;Undertitel:</translation>
    </message>
    <message>
        <source>Subtitle</source>
        <translation>Undertitel</translation>
    </message>
    <message>
        <source>&amp;Edition:</source>
        <translation>Upplag&amp;a:</translation>
    </message>
    <message>
        <source>Edition</source>
        <translation>Upplaga</translation>
    </message>
    <message>
        <source>Series:</source>
        <translation>Serie:</translation>
    </message>
    <message>
        <source>Series</source>
        <translation>Serie</translation>
    </message>
    <message>
        <source>Pos.:</source>
        <translation>Nr:</translation>
    </message>
    <message>
        <source>Position (of the book in a series of books)</source>
        <translation>Position (bokens plats i en serie böcker)</translation>
    </message>
    <message>
        <source>&amp;Publisher:</source>
        <translation>För&amp;lag:</translation>
    </message>
    <message>
        <source>Publisher</source>
        <translation>Förlag</translation>
    </message>
    <message>
        <source>P&amp;rinted (top.):</source>
        <translation>Tryck&amp;ort:</translation>
    </message>
    <message>
        <source>Printed (toponym)</source>
        <translation>Tryckort (ortnamn)</translation>
    </message>
    <message>
        <source>Year pri&amp;nted:</source>
        <translation>Tryck&amp;år:</translation>
    </message>
    <message>
        <source>Year printed</source>
        <translation>Tryckår</translation>
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
        <translation>Antal &amp;sidor:</translation>
    </message>
    <message>
        <source>Num pages</source>
        <translation>Antal sidor</translation>
    </message>
    <message>
        <source>Cate&amp;gory:</source>
        <translation>&amp;Kategori:</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategori</translation>
    </message>
    <message>
        <source>&amp;Comments:</source>
        <translation>Ko&amp;mmentarer:</translation>
    </message>
    <message>
        <source>Comments</source>
        <translation>Kommentarer</translation>
    </message>
    <message>
        <source>B&amp;ook Type:</source>
        <translation>T&amp;yp av bok:</translation>
    </message>
    <message>
        <source>Book type</source>
        <translation>Typ av bok</translation>
    </message>
    <message>
        <source>&amp;Binding:</source>
        <translation>&amp;Bindning:</translation>
    </message>
    <message>
        <source>Binding</source>
        <translation>Bindning</translation>
    </message>
    <message>
        <source>&amp;Level:</source>
        <translation>&amp;Nivå:</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Nivå</translation>
    </message>
    <message>
        <source>Rating:</source>
        <translation>Betyg:</translation>
    </message>
    <message>
        <source>Rating</source>
        <translation>Betyg</translation>
    </message>
    <message>
        <source>Pri&amp;ce:</source>
        <translation>&amp;Pris:</translation>
    </message>
    <message>
        <source>Price</source>
        <translation>Pris</translation>
    </message>
    <message>
        <source>This &amp;work is a translation</source>
        <translation>&amp;Verket är en översättning</translation>
    </message>
    <message>
        <source>The string &quot;Translation&quot; if the work is a translation, the empty string otherwise.</source>
        <translation>Strängen &quot;Translation&quot; om verket är en översättning, annars den tomma strängen.</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Språk:</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Språk</translation>
    </message>
    <message>
        <source>&amp;Original Lang.:</source>
        <translation>Ori&amp;ginalspråk:</translation>
    </message>
    <message>
        <source>Original language</source>
        <translation>Originalspråk</translation>
    </message>
    <message>
        <source>Tran&amp;slator:</source>
        <translation>&amp;Översättare:</translation>
    </message>
    <message>
        <source>Translator</source>
        <translation>Översättare</translation>
    </message>
    <message>
        <source>Ori&amp;ginal Title:</source>
        <translation>O&amp;riginaltitel:</translation>
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
        <translation>Formateringsalternativ</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Språk</translation>
    </message>
    <message>
        <source>Specifying Authors</source>
        <translation>Ange författare</translation>
    </message>
    <message>
        <source>For every character A such that %A would print the value of the variable associated with the token A, (A will print a space followed by the value of the variable inside parentheses if the length of the value is non-zero.</source>
        <translation>För varje tecken A sådant att %A skriver ut värdet av variabeln som hör till koden A skriver (A ut ett mellanslag följt av variabelns värde inom parentes, om värdet inte är tomt.</translation>
    </message>
    <message>
        <source>Similarly, -A will print a dash followed by the value of the variable if the length of the value is non-zero.</source>
        <translation>På samma sätt skriver -A ut ett tankstreck följt av variabelns värde, om värdet inte är tomt.</translation>
    </message>
    <message>
        <source>In any case, if %A wouldn&apos;t print anything, no spaces, parentheses, or dashes will be output.</source>
        <translation>Om %A inte skulle skriva ut något skrivs i inget fall några mellanslag, parenteser eller tankstreck ut.</translation>
    </message>
    <message>
        <source>In almost the same way, .A will print a period, a space and the value of the variable if the variable is of non-zero length and we are not at the very beginning of the string. In the latter case, the period and space are omitted.</source>
        <translation>På nästan samma sätt skriver .A ut en punkt, ett mellanslag och variabelns värde, om värdet inte är tomt och vi inte står i början av strängen. I det senare fallet utelämnas punkten och mellanslaget.</translation>
    </message>
    <message>
        <source>,A works the same way, but using comma instead of period.</source>
        <translation>,A fungerar på samma sätt men med komma i stället för punkt.</translation>
    </message>
    <message>
        <source>Finally, &quot;str&quot;A will print the string str followed by the value of A if the latter is of non-zero length. &quot;pref|suff&quot;A will use both a prefix pref and a suffix suff. You can include double quotation marks (&quot;) in the prefix and suffix, but you have to escape them by doubling them. For example, &quot;I &quot;&quot;love&quot;&quot; carrots&quot;A would print the string &apos;I &quot;love&quot; carrots&apos; before the value of A.</source>
        <translation>Slutligen skriver &quot;str&quot;A ut strängen str följd av värdet av A, om det inte är tomt. &quot;pref|suff&quot;A använder både ett prefix pref och ett suffix suff. Du kan ta med dubbla citattecken (&quot;) i prefixet och suffixet, men de måste skyddas genom att dubbleras. Till exempel skriver &quot;Jag &quot;&quot;älskar&quot;&quot; morötter&quot;A ut strängen &apos;Jag &quot;älskar&quot; morötter&apos; före värdet av A.</translation>
    </message>
    <message>
        <source>You can choose to specify a language using its name, e.g. &quot;English&quot;. If you use the English name of the language, then the BCP 47 code will be deduced automatically. However, you can always manually specify the desired BCP 47 code inside parentheses, e.g. &quot;English (en-uk)&quot;. This also works in every language, e.g. &quot;Engelska (en)&quot; or &quot;Englisch (en)&quot;. Notice that a BCP 47 code is needed for semantic HTML (but otherwise not).</source>
        <translation>Du kan ange ett språk med dess namn, t.ex. &quot;English&quot;. Om du använder språkets engelska namn härleds BCP 47-koden automatiskt. Du kan dock alltid ange den önskade BCP 47-koden inom parentes, t.ex. &quot;English (en-uk)&quot;. Det fungerar på alla språk, t.ex. &quot;Engelska (en)&quot; eller &quot;Englisch (en)&quot;. Observera att en BCP 47-kod behövs för semantisk HTML (men annars inte).</translation>
    </message>
    <message>
        <source>If you want to generate a report with additional semantic content (e.g., microdata), you must specify the author(s) in a particular format.</source>
        <translation>Om du vill skapa en rapport med extra semantiskt innehåll (t.ex. mikrodata) måste du ange författaren/författarna i ett visst format.</translation>
    </message>
    <message>
        <source>You may give a list (of any length) of authors, and each author must be either a person or an organisation. You must separate authors from each other using semicolon (;). Whitespace next to punctuation is optional as all strings are trimmed. When giving the name of a person, you must either give a free-form standard form of the name, such as &quot;John Doe&quot;, or specify the first name (given name) and last name (family name) explicitly, in the form &quot;Doe, John&quot; (again, whitespace is optional).</source>
        <translation>Du kan ange en lista (av valfri längd) med författare, och varje författare måste vara antingen en person eller en organisation. Författarna skiljs åt med semikolon (;). Blanksteg intill skiljetecken är valfria eftersom alla strängar trimmas. När du anger namnet på en person måste du antingen skriva namnet fritt i vanlig form, till exempel &quot;John Doe&quot;, eller uttryckligen ange förnamn och efternamn i formen &quot;Doe, John&quot; (även här är blanksteg valfria).</translation>
    </message>
    <message>
        <source>When an author is an organisation, simply write the name of the organisation, followed by an asterisk (*). The asterisk is used to specify that the author is an organisation and not a person. </source>
        <translation>När en författare är en organisation skriver du helt enkelt organisationens namn följt av en asterisk (*). Asterisken anger att författaren är en organisation och inte en person. </translation>
    </message>
    <message>
        <source>For example, the string &quot;Doe, John; Mary Smith; IBM *&quot; is a list of three (3) authors: the first one is a person with last name &quot;Doe&quot; and first name &quot;John&quot;; the second one is a person named &quot;Mary Smith&quot; (with no hints on how to parse the name); and the last author is an organisation named &quot;IBM&quot;.</source>
        <translation>Till exempel är strängen &quot;Doe, John; Mary Smith; IBM *&quot; en lista med tre (3) författare: den första är en person med efternamnet &quot;Doe&quot; och förnamnet &quot;John&quot;, den andra är en person som heter &quot;Mary Smith&quot; (utan ledtrådar om hur namnet ska tolkas), och den sista är en organisation som heter &quot;IBM&quot;.</translation>
    </message>
    <message>
        <source>File Version: </source>
        <translation>Filversion: </translation>
    </message>
    <message>
        <source>About Tollvern Quillery</source>
        <translation>Om Tollvern Quillery</translation>
    </message>
    <message>
        <source>Tollvern Quillery is running in Windows XP Compatibility Mode.</source>
        <translation>Tollvern Quillery körs i kompatibilitetsläge för Windows XP.</translation>
    </message>
</context>
<context>
    <name>Legend</name>
    <message>
        <source>Full title (title and subtitle)</source>
        <translation>Fullständig titel (titel och undertitel)</translation>
    </message>
    <message>
        <source>Unformatted ISBN (only digits 0 to 9)</source>
        <translation>Oformaterat ISBN (endast siffrorna 0 till 9)</translation>
    </message>
    <message>
        <source>Database link nnn (e.g. %L001)</source>
        <translation>Databaslänk nnn (t.ex. %L001)</translation>
    </message>
    <message>
        <source>Percent sign (%)</source>
        <translation>Procenttecken (%)</translation>
    </message>
    <message>
        <source>Left parenthesis</source>
        <translation>Vänsterparentes</translation>
    </message>
    <message>
        <source>Dash</source>
        <translation>Tankstreck</translation>
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
        <translation>(Dubbelt) citattecken (U+0022: QUOTATION MARK)</translation>
    </message>
    <message>
        <source>Unicode character with decimal codepoint NNNN (e.g. %0013%0010 or %0009)</source>
        <translation>Unicode-tecken med decimal kodpunkt NNNN (t.ex. %0013%0010 eller %0009)</translation>
    </message>
    <message>
        <source>Unicode character with hexadecimal codepoint NNNN (e.g. %x000D%x000A or %x0009)</source>
        <translation>Unicode-tecken med hexadecimal kodpunkt NNNN (t.ex. %x000D%x000A eller %x0009)</translation>
    </message>
    <message>
        <source>All arguments will be URL-encoded.</source>
        <translation>Alla argument URL-kodas.</translation>
    </message>
</context>
<context>
    <name>MainActions</name>
    <message>
        <source>Opens the catalogue directory in Windows Explorer.</source>
        <translation>Öppnar katalogmappen i Utforskaren.</translation>
    </message>
    <message>
        <source>Opens the catalogue directory in the file manager.</source>
        <translation>Öppnar katalogmappen i filhanteraren.</translation>
    </message>
    <message>
        <source>New Book</source>
        <translation>Ny bok</translation>
    </message>
    <message>
        <source>Creates a new book entry.</source>
        <translation>Skapar en ny bokpost.</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Ta bort</translation>
    </message>
    <message>
        <source>Deletes the selected book(s).</source>
        <translation>Tar bort den markerade boken/böckerna.</translation>
    </message>
    <message>
        <source>Rename...</source>
        <translation>Byt namn...</translation>
    </message>
    <message>
        <source>Renames the selected catalogue file.</source>
        <translation>Byter namn på den markerade katalogfilen.</translation>
    </message>
    <message>
        <source>Duplicate...</source>
        <translation>Duplicera...</translation>
    </message>
    <message>
        <source>Duplicates the selected book, that is, creates a new book file with identical content.</source>
        <translation>Duplicerar den markerade boken, det vill säga skapar en ny bokfil med samma innehåll.</translation>
    </message>
    <message>
        <source>Manage</source>
        <translation>Hantera</translation>
    </message>
    <message>
        <source>Create Shelf...</source>
        <translation>Skapa bokhylla...</translation>
    </message>
    <message>
        <source>Creates a bookshelf file containing the books in the current directory.</source>
        <translation>Skapar en bokhyllefil med böckerna i den aktuella mappen.</translation>
    </message>
    <message>
        <source>Import...</source>
        <translation>Importera...</translation>
    </message>
    <message>
        <source>Creates books from the records of a CSV, Goodreads, LibraryThing, CSL-JSON, BibTeX or RIS file.</source>
        <translation>Skapar böcker av posterna i en CSV-, Goodreads-, LibraryThing-, CSL-JSON-, BibTeX- eller RIS-fil.</translation>
    </message>
    <message>
        <source>Export...</source>
        <translation>Exportera...</translation>
    </message>
    <message>
        <source>Exports the books to a CSV, CSL-JSON, BibTeX or RIS file.</source>
        <translation>Exporterar böckerna till en CSV-, CSL-JSON-, BibTeX- eller RIS-fil.</translation>
    </message>
    <message>
        <source>Check Catalogue</source>
        <translation>Kontrollera katalogen</translation>
    </message>
    <message>
        <source>Lists what is wrong with the books of the catalogue: invalid ISBNs, duplicates, sync conflict copies, files that cannot be read, values that make reports fail.</source>
        <translation>Listar vad som är fel med katalogens böcker: ogiltiga ISBN, dubbletter, konfliktkopior från synkronisering, filer som inte kan läsas och värden som får rapporter att misslyckas.</translation>
    </message>
    <message>
        <source>Upgrade Book Files</source>
        <translation>Uppgradera bokfiler</translation>
    </message>
    <message>
        <source>Upgrades all book files in the current catalogue (directory) from version 1.0 ANSI to version 1.1 UTF-8 files.</source>
        <translation>Uppgraderar alla bokfiler i den aktuella katalogen (mappen) från version 1.0 ANSI till version 1.1 UTF-8.</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Föregående</translation>
    </message>
    <message>
        <source>Selects the previous book in the catalogue.</source>
        <translation>Markerar föregående bok i katalogen.</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Nästa</translation>
    </message>
    <message>
        <source>Selects the next book in the catalogue.</source>
        <translation>Markerar nästa bok i katalogen.</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Avsluta</translation>
    </message>
    <message>
        <source>Exits Quillery.</source>
        <translation>Avslutar Quillery.</translation>
    </message>
    <message>
        <source>Status Bar</source>
        <translation>Statusfält</translation>
    </message>
    <message>
        <source>Shows or hides the status bar.</source>
        <translation>Visar eller döljer statusfältet.</translation>
    </message>
    <message>
        <source>Popup Hints</source>
        <translation>Inforutor</translation>
    </message>
    <message>
        <source>Shows or hides popup hints (tooltips).</source>
        <translation>Visar eller döljer inforutor (verktygstips).</translation>
    </message>
    <message>
        <source>Formats...</source>
        <translation>Format...</translation>
    </message>
    <message>
        <source>Displays the reference format manager.</source>
        <translation>Visar formathanteraren för referenser.</translation>
    </message>
    <message>
        <source>Settings...</source>
        <translation>Inställningar...</translation>
    </message>
    <message>
        <source>Displays the program settings.</source>
        <translation>Visar programmets inställningar.</translation>
    </message>
    <message>
        <source>Directory-specific Options...</source>
        <translation>Mappspecifika alternativ...</translation>
    </message>
    <message>
        <source>Displays and edits options specific to the current directory.</source>
        <translation>Visar och redigerar alternativ för den aktuella mappen.</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Om</translation>
    </message>
    <message>
        <source>Displays program information.</source>
        <translation>Visar information om programmet.</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Sök</translation>
    </message>
    <message>
        <source>Shows only the books that match what you type in the filter box.</source>
        <translation>Visar bara de böcker som matchar det du skriver i filterrutan.</translation>
    </message>
    <message>
        <source>Generate to memo</source>
        <translation>Skapa i textruta</translation>
    </message>
    <message>
        <source>Generates the report and displays it in a memo control.</source>
        <translation>Skapar rapporten och visar den i en textruta.</translation>
    </message>
    <message>
        <source>Generate to clipboard</source>
        <translation>Skapa till Urklipp</translation>
    </message>
    <message>
        <source>Generates the report and saves it to clipboard.</source>
        <translation>Skapar rapporten och sparar den i Urklipp.</translation>
    </message>
    <message>
        <source>Generate to file...</source>
        <translation>Skapa till fil...</translation>
    </message>
    <message>
        <source>Generates the report and saves it to a text file.</source>
        <translation>Skapar rapporten och sparar den i en textfil.</translation>
    </message>
    <message>
        <source>Shift+</source>
        <translation>Skift+</translation>
    </message>
    <message>
        <source>Ctrl+</source>
        <translation>Ctrl+</translation>
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
        <translation>Namn</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Författare</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Year written</source>
        <translation>Skrivet år</translation>
    </message>
    <message>
        <source>Year printed</source>
        <translation>Tryckår</translation>
    </message>
    <message>
        <source>Series and position</source>
        <translation>Serie och position</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Kategori</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Språk</translation>
    </message>
</context>
<context>
    <name>TaskDialog</name>
    <message>
        <source>Technical Details</source>
        <translation>Tekniska detaljer</translation>
    </message>
</context>
<context>
    <name>quillery::TDirFrm</name>
    <message>
        <source>Book Directory Options</source>
        <translation>Alternativ för bokmappen</translation>
    </message>
    <message>
        <source>These settings applies specifically to the current directory</source>
        <translation>Inställningarna gäller bara den aktuella mappen</translation>
    </message>
    <message>
        <source>Formats</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>F&amp;ormat:</source>
        <translation>F&amp;ormat:</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Rapport</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Avbryt</translation>
    </message>
    <message>
        <source>Remove the settings file in this directory.</source>
        <translation>Ta bort inställningsfilen i den här mappen.</translation>
    </message>
    <message>
        <source>Could not remove file.</source>
        <translation>Filen kunde inte tas bort.</translation>
    </message>
</context>
<context>
    <name>quillery::TZoomControl</name>
    <message>
        <source>Click to set zoom level to 100 %.
Right-click to set a custom zoom level.</source>
        <translation>Klicka för att sätta zoomnivån till 100 %.
Högerklicka för att ange en egen zoomnivå.</translation>
    </message>
    <message>
        <source>Zoom</source>
        <translation>Zoom</translation>
    </message>
    <message>
        <source>Please enter the new zoom level.</source>
        <translation>Ange den nya zoomnivån.</translation>
    </message>
</context>
<context>
    <name>quillery::TformatFrm</name>
    <message>
        <source>Format Manager</source>
        <translation>Formathanterare</translation>
    </message>
    <message>
        <source>Restore to defaults</source>
        <translation>Återställ standardvärden</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Avbryt</translation>
    </message>
    <message>
        <source>Format %1: %2</source>
        <translation>Format %1: %2</translation>
    </message>
    <message>
        <source>Keep it anyway?</source>
        <translation>Vill du behålla det ändå?</translation>
    </message>
    <message>
        <source>Invalid Format</source>
        <translation>Ogiltigt format</translation>
    </message>
    <message>
        <source>Are you sure you wish to revert the list of formats to the default list, and thereby disregard any changes made since Quillery was installed?</source>
        <translation>Vill du verkligen återställa formatlistan till standardlistan och därmed bortse från alla ändringar sedan Quillery installerades?</translation>
    </message>
    <message>
        <source>Restore to Defaults</source>
        <translation>Återställ standardvärden</translation>
    </message>
    <message>
        <source>Formats</source>
        <translation>Format</translation>
    </message>
</context>
<context>
    <name>quillery::ToutputFrm</name>
    <message>
        <source>Report Output</source>
        <translation>Rapportutdata</translation>
    </message>
    <message>
        <source>Save As...</source>
        <translation>Spara som...</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>Skriv ut...</translation>
    </message>
    <message>
        <source>Copy to Clipboard</source>
        <translation>Kopiera till Urklipp</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Stäng</translation>
    </message>
    <message>
        <source>Save Report to File</source>
        <translation>Spara rapport i fil</translation>
    </message>
    <message>
        <source>Text file</source>
        <translation>Textfil</translation>
    </message>
    <message>
        <source>Quillery Report</source>
        <translation>Quillery-rapport</translation>
    </message>
    <message>
        <source>Report</source>
        <translation>Rapport</translation>
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
        <translation>Ogiltigt värde.  Tryck på Esc för att ångra ändringarna</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Inställningar</translation>
    </message>
    <message>
        <source>Dashes</source>
        <translation>Tankstreck</translation>
    </message>
    <message>
        <source>Swedish (space-EN dash-space)</source>
        <translation>Svenska (mellanslag-kort tankstreck-mellanslag)</translation>
    </message>
    <message>
        <source>English (EM dash)</source>
        <translation>Engelska (långt tankstreck)</translation>
    </message>
    <message>
        <source>&amp;Surround with spaces</source>
        <translation>&amp;Omge med mellanslag</translation>
    </message>
    <message>
        <source>&amp;Presets:</source>
        <translation>&amp;Förval:</translation>
    </message>
    <message>
        <source>&amp;Codepoint:</source>
        <translation>&amp;Kodpunkt:</translation>
    </message>
    <message>
        <source>C&amp;haracter:</source>
        <translation>&amp;Tecken:</translation>
    </message>
    <message>
        <source>Description:</source>
        <translation>Beskrivning:</translation>
    </message>
    <message>
        <source>Full titles</source>
        <translation>Fullständiga titlar</translation>
    </message>
    <message>
        <source>S&amp;ubtitle separator:</source>
        <translation>Avgränsare före &amp;undertitel:</translation>
    </message>
    <message>
        <source>Characters:</source>
        <translation>Tecken:</translation>
    </message>
    <message>
        <source>Example:</source>
        <translation>Exempel:</translation>
    </message>
    <message>
        <source>ISBNs</source>
        <translation>ISBN</translation>
    </message>
    <message>
        <source>&amp;Mark ISBNs with a wrong check digit or length</source>
        <translation>&amp;Markera ISBN med fel kontrollsiffra eller längd</translation>
    </message>
    <message>
        <source>Synonyms for &quot;&amp;EBook&quot;:</source>
        <translation>Synonymer för &quot;&amp;EBook&quot;:</translation>
    </message>
    <message>
        <source>Synonyms for &quot;&amp;Hardcover&quot;:</source>
        <translation>Synonymer för &quot;&amp;Hardcover&quot;:</translation>
    </message>
    <message>
        <source>Synonyms for &quot;&amp;Paperback&quot;:</source>
        <translation>Synonymer för &quot;&amp;Paperback&quot;:</translation>
    </message>
    <message>
        <source>Escape &lt;, &gt;, and &amp;&amp;</source>
        <translation>Koda &lt;, &gt; och &amp;&amp;</translation>
    </message>
    <message>
        <source>System language</source>
        <translation>Systemets språk</translation>
    </message>
    <message>
        <source>&amp;Language:</source>
        <translation>&amp;Språk:</translation>
    </message>
    <message>
        <source>Takes effect when Quillery starts next.</source>
        <translation>Gäller från nästa gång Quillery startar.</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allmänt</translation>
    </message>
    <message>
        <source>Synonyms</source>
        <translation>Synonymer</translation>
    </message>
    <message>
        <source>Hypertext</source>
        <translation>Hypertext</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Språk</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Avbryt</translation>
    </message>
    <message>
        <source>Characters beyond U+FFFF cannot be the dash.</source>
        <translation>Tecken över U+FFFF kan inte vara tankstreck.</translation>
    </message>
    <message>
        <source>If the target format of the report is an HTML document, you can choose if you want to escape the HTML-specific characters &lt;, &gt;, and &amp;. These will then be replaced by &quot;&amp;lt;&quot;, &quot;&amp;gt;&quot;, and &quot;&amp;amp;&quot;, respectively.</source>
        <translation>Om rapporten ska bli ett HTML-dokument kan du välja att koda de HTML-specifika tecknen &lt;, &gt; och &amp;. De ersätts då med &quot;&amp;lt;&quot;, &quot;&amp;gt;&quot; respektive &quot;&amp;amp;&quot;.</translation>
    </message>
    <message>
        <source>If you escape, you can freely enter any characters in the book fields. The output text will be valid HTML markup and be displayed properly in an HTML renderer, exactly as in the edit fields. Obviously, you cannot use (effective) HTML markup in the fields; for example, &quot;this &lt;em&gt;is&lt;/em&gt; good&quot; will be displayed literally, with the tags visible.</source>
        <translation>Om du kodar tecknen kan du skriva vilka tecken som helst i bokfälten. Texten blir giltig HTML och visas korrekt i en HTML-läsare, precis som i redigeringsfälten. Du kan förstås inte använda (verksam) HTML-kod i fälten; till exempel visas &quot;det &lt;em&gt;är&lt;/em&gt; bra&quot; bokstavligt, med taggarna synliga.</translation>
    </message>
    <message>
        <source>If you do not escape, you must only use &lt;, &gt;, and &amp; according to the strict HTML rules; otherwise, the markup will not be valid. On the other hand, you can then include HTML markup. For instance, &quot;this &lt;em&gt;is&lt;/em&gt;good&quot; will be rendered as three English words only, the middle one (probably) in italics. If you want to display the characters &lt;, &gt;, and &amp; in the text, you must escape them manually.</source>
        <translation>Om du inte kodar tecknen får du bara använda &lt;, &gt; och &amp; enligt HTML:s strikta regler, annars blir koden ogiltig. Å andra sidan kan du då använda HTML-kod. Till exempel visas &quot;det &lt;em&gt;är&lt;/em&gt;bra&quot; som bara tre ord, det mittersta (troligen) i kursiv stil. Om du vill visa tecknen &lt;, &gt; och &amp; i texten måste du koda dem själv.</translation>
    </message>
    <message>
        <source>If the target format of the report is plain text, you should not escape the characters. Indeed, there is no need for HTML markup, and you want all characters to be interpreted literally.</source>
        <translation>Om rapporten ska bli ren text ska du inte koda tecknen. Då behövs ingen HTML-kod, och alla tecken ska tolkas bokstavligt.</translation>
    </message>
</context>
<context>
    <name>quillery::ui::LongTask</name>
    <message>
        <source>Esc cancels.</source>
        <translation>Esc avbryter.</translation>
    </message>
</context>
<context>
    <name>quillery::ui::TExportWin</name>
    <message>
        <source>Export Books</source>
        <translation>Exportera böcker</translation>
    </message>
    <message>
        <source>The kind of file to write.</source>
        <translation>Vilken sorts fil som ska skrivas.</translation>
    </message>
    <message>
        <source>&amp;Format:</source>
        <translation>&amp;Format:</translation>
    </message>
    <message>
        <source>Books</source>
        <translation>Böcker</translation>
    </message>
    <message>
        <source>&amp;All books (%1)</source>
        <translation>&amp;Alla böcker (%1)</translation>
    </message>
    <message>
        <source>The books &amp;shown (%1)</source>
        <translation>&amp;Visade böcker (%1)</translation>
    </message>
    <message>
        <source>The books the filter box leaves in the list.</source>
        <translation>De böcker som filterrutan lämnar kvar i listan.</translation>
    </message>
</context>
<context>
    <name>quillery::ui::TImportWin</name>
    <message>
        <source>%1 books will be imported, %2 duplicates skipped, %3 records rejected.</source>
        <translation>%1 böcker importeras, %2 dubbletter hoppas över, %3 poster avvisas.</translation>
    </message>
    <message>
        <source>Import Books</source>
        <translation>Importera böcker</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>Fil: %1</translation>
    </message>
    <message>
        <source>The kind of file to read it as; the program tells it from the content.</source>
        <translation>Vilken sorts fil den ska läsas som; programmet avgör det utifrån innehållet.</translation>
    </message>
    <message>
        <source>&amp;Format:</source>
        <translation>&amp;Format:</translation>
    </message>
    <message>
        <source>Import &amp;duplicates too</source>
        <translation>Importera även &amp;dubbletter</translation>
    </message>
    <message>
        <source>Creates a new book also for a record that matches a book of the catalogue or an earlier record, by ISBN or by author and title.</source>
        <translation>Skapar en ny bok även för en post som matchar en bok i katalogen eller en tidigare post, efter ISBN eller efter författare och titel.</translation>
    </message>
    <message>
        <source>Record</source>
        <translation>Post</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Resultat</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Namn</translation>
    </message>
    <message>
        <source>Author</source>
        <translation>Författare</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Year printed</source>
        <translation>Tryckår</translation>
    </message>
    <message>
        <source>ISBN</source>
        <translation>ISBN</translation>
    </message>
    <message>
        <source>Note</source>
        <translation>Anmärkning</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Importera</translation>
    </message>
    <message>
        <source>New book (duplicate)</source>
        <translation>Ny bok (dubblett)</translation>
    </message>
    <message>
        <source>New book</source>
        <translation>Ny bok</translation>
    </message>
    <message>
        <source>Duplicate</source>
        <translation>Dubblett</translation>
    </message>
    <message>
        <source>Rejected</source>
        <translation>Avvisad</translation>
    </message>
    <message>
        <source>Duplicate of &quot;%1&quot; (%2)</source>
        <translation>Dubblett av &quot;%1&quot; (%2)</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Förhandsvisning</translation>
    </message>
</context>
<context>
    <name>quillery::ui::TItemPage</name>
    <message>
        <source>The author(s) of the book.</source>
        <translation>Bokens författare.</translation>
    </message>
    <message>
        <source>The year the book was written by the author(s).</source>
        <translation>Året då boken skrevs av författaren/författarna.</translation>
    </message>
    <message>
        <source>The edition of the book (e.g., &quot;Second Edition&quot;)</source>
        <translation>Bokens upplaga (t.ex. &quot;Andra upplagan&quot;)</translation>
    </message>
    <message>
        <source>The title of the book (the translated title if the work is a translation).</source>
        <translation>Bokens titel (den översatta titeln om verket är en översättning).</translation>
    </message>
    <message>
        <source>The publisher of the book.</source>
        <translation>Bokens förlag.</translation>
    </message>
    <message>
        <source>The (publisher&apos;s) series of books that this book belongs to.</source>
        <translation>(Förlagets) bokserie som boken hör till.</translation>
    </message>
    <message>
        <source>The position of this book in the series.</source>
        <translation>Bokens plats i serien.</translation>
    </message>
    <message>
        <source>The place where the book was printed.</source>
        <translation>Orten där boken trycktes.</translation>
    </message>
    <message>
        <source>The year the book was printed.</source>
        <translation>Året då boken trycktes.</translation>
    </message>
    <message>
        <source>The International Standard Book Number (ISBN) of the book. Please enter ISBN-10 or ISBN-13 with hyphens.</source>
        <translation>Bokens internationella standardboknummer (ISBN). Ange ISBN-10 eller ISBN-13 med bindestreck.</translation>
    </message>
    <message>
        <source>The number of pages in the book.</source>
        <translation>Antalet sidor i boken.</translation>
    </message>
    <message>
        <source>The category of the book.</source>
        <translation>Bokens kategori.</translation>
    </message>
    <message>
        <source>Free-text comments about the book.</source>
        <translation>Fria kommentarer om boken.</translation>
    </message>
    <message>
        <source>The type of the book (e.g., PhD thesis).</source>
        <translation>Typ av bok (t.ex. doktorsavhandling).</translation>
    </message>
    <message>
        <source>The binding of the physical book (e.g., hardcover or paperback).</source>
        <translation>Den fysiska bokens bindning (t.ex. inbunden eller pocket).</translation>
    </message>
    <message>
        <source>The level of the work (e.g., popular, undergraduate, or graduate).</source>
        <translation>Verkets nivå (t.ex. populärvetenskaplig, grundnivå eller avancerad nivå).</translation>
    </message>
    <message>
        <source>The rating of the book (e.g. five stars).</source>
        <translation>Bokens betyg (t.ex. fem stjärnor).</translation>
    </message>
    <message>
        <source>Check this box if the work is a translation.</source>
        <translation>Markera rutan om verket är en översättning.</translation>
    </message>
    <message>
        <source>The language of the book.</source>
        <translation>Bokens språk.</translation>
    </message>
    <message>
        <source>The original language of the book.</source>
        <translation>Bokens originalspråk.</translation>
    </message>
    <message>
        <source>The name of the translator(s) of the original work.</source>
        <translation>Namnet på översättaren/översättarna av originalverket.</translation>
    </message>
    <message>
        <source>The original title of the work.</source>
        <translation>Verkets originaltitel.</translation>
    </message>
    <message>
        <source>The price of the physical book.</source>
        <translation>Den fysiska bokens pris.</translation>
    </message>
    <message>
        <source>Cataloguing Data</source>
        <translation>Katalogdata</translation>
    </message>
    <message>
        <source>Help on names</source>
        <translation>Hjälp om namn</translation>
    </message>
    <message>
        <source>&amp;Hyphenate</source>
        <translation>Lägg till &amp;bindestreck</translation>
    </message>
    <message>
        <source>Convert to ISBN-1&amp;3</source>
        <translation>Konvertera till ISBN-1&amp;3</translation>
    </message>
    <message>
        <source>Convert to ISBN-1&amp;0</source>
        <translation>Konvertera till ISBN-1&amp;0</translation>
    </message>
    <message>
        <source>How do I specify a BCP 47 code?</source>
        <translation>Hur anger jag en BCP 47-kod?</translation>
    </message>
    <message>
        <source>Additional Details</source>
        <translation>Ytterligare uppgifter</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Språk</translation>
    </message>
    <message>
        <source>Database Links</source>
        <translation>Databaslänkar</translation>
    </message>
    <message>
        <source>Links to on-line databases.</source>
        <translation>Länkar till databaser på nätet.</translation>
    </message>
    <message>
        <source>Reference Preview</source>
        <translation>Förhandsvisning av referens</translation>
    </message>
    <message>
        <source>Item reference preview.</source>
        <translation>Förhandsvisning av postens referens.</translation>
    </message>
</context>
<context>
    <name>quillery::ui::TReportOptionsBox</name>
    <message>
        <source>&amp;Before item:</source>
        <translation>&amp;Före post:</translation>
    </message>
    <message>
        <source>&amp;After item:</source>
        <translation>&amp;Efter post:</translation>
    </message>
    <message>
        <source>B&amp;efore report:</source>
        <translation>Före &amp;rapport:</translation>
    </message>
    <message>
        <source>A&amp;fter report:</source>
        <translation>Efter r&amp;apport:</translation>
    </message>
    <message>
        <source>%ID is the book file name</source>
        <translation>%ID är bokens filnamn</translation>
    </message>
    <message>
        <source>Include microdata (schema.org/Book)</source>
        <translation>Ta med mikrodata (schema.org/Book)</translation>
    </message>
    <message>
        <source>Use book language for titles</source>
        <translation>Använd bokens språk för titlar</translation>
    </message>
    <message>
        <source>If possible, use the BCP 47 language tag in the lang attribute of the span elements containing the title, subtitle, edition, and series of the book.</source>
        <translation>Använd om möjligt BCP 47-språktaggen i lang-attributet på de span-element som innehåller bokens titel, undertitel, upplaga och serie.</translation>
    </message>
    <message>
        <source>JSON-LD</source>
        <translation>JSON-LD</translation>
    </message>
    <message>
        <source>Adds a JSON-LD script after the report: a schema.org ItemList of the books with their authors, dates, ISBN-13, format, language, series, publisher and translation.</source>
        <translation>Lägger till ett JSON-LD-skript efter rapporten: en schema.org ItemList med böckerna och deras författare, datum, ISBN-13, format, språk, serie, förlag och översättning.</translation>
    </message>
    <message>
        <source>Complete page</source>
        <translation>Hel sida</translation>
    </message>
    <message>
        <source>Makes the report a complete HTML page: the default language as its language, the catalogue folder&apos;s name as its title (or PageTitle in the folder&apos;s options file), the report as its body.</source>
        <translation>Gör rapporten till en hel HTML-sida: standardspråket som sidans språk, katalogmappens namn som titel (eller PageTitle i mappens alternativfil) och rapporten som innehåll.</translation>
    </message>
    <message>
        <source>If a particular book&apos;s language is the default language, its fields will not be given the lang attribute. The parent of the Quillery report must have the default language. </source>
        <translation>Om en boks språk är standardspråket får dess fält inget lang-attribut. Det element som omger Quillery-rapporten måste ha standardspråket. </translation>
    </message>
    <message>
        <source>Default language of the catalogue:</source>
        <translation>Katalogens standardspråk:</translation>
    </message>
    <message>
        <source>How do I specify a BCP 47 code?</source>
        <translation>Hur anger jag en BCP 47-kod?</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Ingen</translation>
    </message>
    <message>
        <source>Descending</source>
        <translation>Fallande</translation>
    </message>
    <message>
        <source>Sor&amp;t by:</source>
        <translation>Sor&amp;tera efter:</translation>
    </message>
    <message>
        <source>&amp;Group by:</source>
        <translation>&amp;Gruppera efter:</translation>
    </message>
    <message>
        <source>Before grou&amp;p:</source>
        <translation>Före gru&amp;pp:</translation>
    </message>
    <message>
        <source>After gro&amp;up:</source>
        <translation>Efter gr&amp;upp:</translation>
    </message>
    <message>
        <source>%G is the group&apos;s value (HTML-escaped when microdata is included).</source>
        <translation>%G är gruppens värde (HTML-kodat när mikrodata tas med).</translation>
    </message>
</context>
<context>
    <name>quillery::ui::TReportPage</name>
    <message>
        <source>Data Selection</source>
        <translation>Dataurval</translation>
    </message>
    <message>
        <source>&amp;Selected item</source>
        <translation>&amp;Vald post</translation>
    </message>
    <message>
        <source>A&amp;ll items</source>
        <translation>A&amp;lla poster</translation>
    </message>
    <message>
        <source>Reference Format</source>
        <translation>Referensformat</translation>
    </message>
    <message>
        <source>F&amp;ormat:</source>
        <translation>F&amp;ormat:</translation>
    </message>
    <message>
        <source>Legend:</source>
        <translation>Teckenförklaring:</translation>
    </message>
    <message>
        <source>Learn about more formatting options.</source>
        <translation>Läs om fler formateringsalternativ.</translation>
    </message>
    <message>
        <source>Report Format</source>
        <translation>Rapportformat</translation>
    </message>
</context>
<context>
    <name>quillery::ui::TmainFrm</name>
    <message>
        <source>The file is left as it is. Settings changed from now on are not written to it; when the program closes they can be saved to another file.</source>
        <translation>Filen lämnas orörd. Inställningar som ändras från och med nu skrivs inte till den; när programmet stängs kan de sparas i en annan fil.</translation>
    </message>
    <message>
        <source>Books</source>
        <translation>Böcker</translation>
    </message>
    <message>
        <source>View</source>
        <translation>Visa</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Alternativ</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hjälp</translation>
    </message>
    <message>
        <source>Item Properties</source>
        <translation>Postegenskaper</translation>
    </message>
    <message>
        <source>Generate Report</source>
        <translation>Skapa rapport</translation>
    </message>
    <message>
        <source>Database Links</source>
        <translation>Databaslänkar</translation>
    </message>
    <message>
        <source>The *.book file that was passed as command-line argument was found in the file system, but could not be found in the catalogue list box, which was highly unexpected.</source>
        <translation>*.book-filen som angavs som kommandoradsargument hittades i filsystemet men inte i kataloglistan, vilket var mycket oväntat.</translation>
    </message>
    <message>
        <source>The open book could not be saved. Close anyway and lose its changes?</source>
        <translation>Den öppna boken kunde inte sparas. Vill du stänga ändå och förlora dess ändringar?</translation>
    </message>
    <message>
        <source>Generating the report...</source>
        <translation>Skapar rapporten...</translation>
    </message>
    <message>
        <source>Save Report to File</source>
        <translation>Spara rapport i fil</translation>
    </message>
    <message>
        <source>Text file</source>
        <translation>Textfil</translation>
    </message>
    <message>
        <source>Checking the catalogue...</source>
        <translation>Kontrollerar katalogen...</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not in the book list.</source>
        <translation>&quot;%1&quot; finns inte i boklistan.</translation>
    </message>
    <message>
        <source>Displays the folder in which to save the book entries.</source>
        <translation>Visar mappen där bokposterna sparas.</translation>
    </message>
    <message>
        <source>Find books (Ctrl+L)</source>
        <translation>Sök böcker (Ctrl+L)</translation>
    </message>
    <message>
        <source>Shows only the books that match every word typed here: a word in any field, &quot;a phrase&quot;, author:tolkien, year:1900..1950, isbn:0261103571, has:series, -word to leave books out.</source>
        <translation>Visar bara de böcker som matchar varje ord du skriver här: ett ord i valfritt fält, &quot;en fras&quot;, author:tolkien, year:1900..1950, isbn:0261103571, has:series, -ord för att utesluta böcker.</translation>
    </message>
    <message>
        <source>Lists all books in the catalogue.</source>
        <translation>Listar alla böcker i katalogen.</translation>
    </message>
    <message>
        <source>Reading the books to find...</source>
        <translation>Läser böckerna för sökningen...</translation>
    </message>
    <message>
        <source>Directory Selection</source>
        <translation>Val av mapp</translation>
    </message>
    <message>
        <source>There is no directory with the specified path.</source>
        <translation>Det finns ingen mapp med den angivna sökvägen.</translation>
    </message>
    <message>
        <source>There is no directory with the specified path</source>
        <translation>Det finns ingen mapp med den angivna sökvägen</translation>
    </message>
    <message>
        <source>Select Directory</source>
        <translation>Välj mapp</translation>
    </message>
    <message>
        <source>Select</source>
        <translation>Välj</translation>
    </message>
    <message>
        <source>An attempt was made to select the non-existing directory</source>
        <translation>Ett försök gjordes att välja den obefintliga mappen</translation>
    </message>
</context>
</TS>
