<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>ActiveGroupController</name>
    <message>
        <location filename="../src/core/evaluation/ActiveGroupController.cpp" line="+48"/>
        <source>highlighting group %1 of %2</source>
        <extracomment>Information line; the numbers are the highlighted group and the number of capture groups</extracomment>
        <translation>Gruppe %1 von %2 hervorgehoben</translation>
    </message>
    <message numerus="yes">
        <location line="+4"/>
        <source>%Ln match(es)</source>
        <extracomment>Appended to the information line: how many matches the pattern found</extracomment>
        <translation>
            <numerusform>%Ln Treffer</numerusform>
            <numerusform>%Ln Treffer</numerusform>
        </translation>
    </message>
    <message>
        <location line="+7"/>
        <source>no matches found</source>
        <extracomment>Information line when the pattern finds nothing</extracomment>
        <translation>keine Treffer</translation>
    </message>
</context>
<context>
    <name>AppDelegate</name>
    <message>
        <location filename="../src/gui/app/AppDelegate.cpp" line="+215"/>
        <source>Library Recovered</source>
        <translation>Bibliothek wiederhergestellt</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Your library file could not be read in full.</source>
        <translation>Ihre Bibliotheksdatei konnte nicht vollständig gelesen werden.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The library file could not be read: %1.</source>
        <extracomment>%1 is a clause such as &quot;it is not valid JSON (unterminated object at byte 72)&quot;</extracomment>
        <translation>Die Bibliotheksdatei konnte nicht gelesen werden: %1.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>No expressions could be recovered.</source>
        <translation>Es konnten keine Ausdrücke wiederhergestellt werden.</translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>%Ln expression(s) was/were recovered.</source>
        <translation>
            <numerusform>%Ln Ausdruck wurde wiederhergestellt.</numerusform>
            <numerusform>%Ln Ausdrücke wurden wiederhergestellt.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Its contents could not be copied aside, so Quorvale will not write to %1 until they are.</source>
        <translation>Ihr Inhalt konnte nicht gesichert werden; deshalb schreibt Quorvale erst dann wieder in %1, wenn das gelungen ist.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The file as it was has been kept unchanged in %1.</source>
        <translation>Die ursprüngliche Datei wurde unverändert in %1 aufbewahrt.</translation>
    </message>
    <message>
        <location line="+156"/>
        <source>About Quorvale</source>
        <translation>Über Quorvale</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&lt;h3&gt;Quorvale %1&lt;/h3&gt;&lt;p&gt;A workbench for regular expressions: every match painted as you type, the pattern coloured by role, capture groups one by one.&lt;/p&gt;&lt;p&gt;Matching by ICU %2, interface by Qt %3.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Quorvale %1&lt;/h3&gt;&lt;p&gt;Eine Werkbank für reguläre Ausdrücke: Jeder Treffer wird schon beim Tippen markiert, das Muster nach der Rolle seiner Teile eingefärbt, die Gruppen einzeln hervorgehoben.&lt;/p&gt;&lt;p&gt;Suche mit ICU %2, Oberfläche mit Qt %3.&lt;/p&gt;</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Matching</source>
        <translation>&amp;Suchoptionen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>&amp;New Expression</source>
        <translation>&amp;Neuer Ausdruck</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Delete Expression…</source>
        <translation>Ausdruck &amp;löschen …</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Import Expressions…</source>
        <translation>Ausdrücke &amp;importieren …</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Export Selected Expressions…</source>
        <translation>Ausgewählte Ausdrücke e&amp;xportieren …</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Preferences…</source>
        <translation>&amp;Einstellungen …</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederherstellen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Paste</source>
        <translation>E&amp;infügen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Select &amp;All</source>
        <translation>Alles a&amp;uswählen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Copy &amp;Escaped Pattern</source>
        <extracomment>Copies the pattern with every backslash doubled, for source code</extracomment>
        <translation>Muster &amp;maskiert kopieren</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Paste &amp;Unescaped Pattern</source>
        <extracomment>Pastes a pattern from source code with doubled backslashes halved</extracomment>
        <translation>Muster &amp;demaskiert einfügen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Copy Su&amp;bstitution Result</source>
        <extracomment>Copies the sample text with every match replaced, as the substitution preview shows it</extracomment>
        <translation>&amp;Ersetzungsergebnis kopieren</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Next Group</source>
        <translation>&amp;Nächste Gruppe</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;Previous Group</source>
        <translation>&amp;Vorherige Gruppe</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Go to P&amp;attern</source>
        <translation>Zum &amp;Muster</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Go to Sample &amp;Text</source>
        <translation>Zum &amp;Beispieltext</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>&amp;Stop Evaluation</source>
        <translation>Auswertung &amp;stoppen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Show &amp;Library</source>
        <translation>Bib&amp;liothek anzeigen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>&amp;Filter Library</source>
        <extracomment>Shows the library and puts the focus in the field that narrows its list</extracomment>
        <translation>Bibliothek &amp;filtern</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Show &amp;Reference</source>
        <translation>&amp;Referenz anzeigen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Show Match &amp;Inspector</source>
        <translation>Treffer-&amp;Inspektor anzeigen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Show &amp;Substitution Preview</source>
        <translation>Erset&amp;zungsvorschau anzeigen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Show E&amp;xplanation</source>
        <extracomment>Shows or hides the panel that explains the pattern element by element</extracomment>
        <translation>&amp;Erklärung anzeigen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Show T&amp;ests</source>
        <extracomment>Shows or hides the panel that runs the tests kept with the expression</extracomment>
        <translation>&amp;Tests anzeigen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;Full Screen</source>
        <translation>Vollbil&amp;d</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Regular Expression &amp;Reference</source>
        <translation>&amp;Referenz für reguläre Ausdrücke</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Send &amp;Feedback…</source>
        <translation>Rück&amp;meldung senden …</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&amp;About Quorvale</source>
        <translation>Ü&amp;ber Quorvale</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Copy as Co&amp;de</source>
        <extracomment>Submenu: copies the pattern with the matching switches as code for another language&apos;s API</extracomment>
        <translation>Als &amp;Code kopieren</translation>
    </message>
</context>
<context>
    <name>CheckCommand</name>
    <message>
        <location filename="../src/cli/CheckCommand.cpp" line="+34"/>
        <source>%1: is a folder</source>
        <translation>%1: ist ein Ordner</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>%1: the library could not be read: %2</source>
        <extracomment>As the application says it; %2 completes the sentence, e.g. &quot;it does not hold a JSON array&quot;</extracomment>
        <translation>%1: Die Bibliothek konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Runs the tests kept with each expression of LIBRARY.json (the user&apos;s library when none is named): a line per failing case and &quot;N passed, M failed&quot;. Exit status: 0 when all passed, 1 when one failed, 2 on an error. The switches apply to every pattern.</source>
        <translation>Führt die Tests aus, die bei jedem Ausdruck von LIBRARY.json hinterlegt sind (ohne Angabe die Bibliothek des Benutzers): eine Zeile je fehlgeschlagenem Fall und „N bestanden, M fehlgeschlagen“. Rückgabewert: 0, wenn alle bestanden, 1, wenn einer fehlschlug, 2 bei einem Fehler. Die Schalter gelten für jedes Muster.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>A library file.</source>
        <translation>Eine Bibliotheksdatei.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>one library file at most (quorvale check --help)</source>
        <translation>höchstens eine Bibliotheksdatei (quorvale check --help)</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>%1: its tests were written in a form this version cannot read</source>
        <translation>%1: Die Tests liegen in einer Form vor, die diese Version nicht lesen kann</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>%1: test %2: expected %3, found %4</source>
        <extracomment>A failing test: the expression&apos;s name, the case&apos;s number, then what it expected and what was found</extracomment>
        <translation>%1: Test %2: erwartet %3, gefunden %4</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 passed, %2 failed</source>
        <extracomment>The summary line of quorvale check</extracomment>
        <translation>%1 bestanden, %2 fehlgeschlagen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>the output could not be written</source>
        <translation>die Ausgabe konnte nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>CodeSnippetBuilder</name>
    <message>
        <location filename="../src/core/evaluation/CodeSnippetBuilder.cpp" line="+351"/>
        <source>Swift</source>
        <translation>Swift</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Objective-C</source>
        <translation>Objective-C</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>C++ with ICU</source>
        <extracomment>The language and the library whose API the copied code uses</extracomment>
        <translation>C++ mit ICU</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Java</source>
        <translation>Java</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Kotlin</source>
        <translation>Kotlin</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>R with stringi</source>
        <extracomment>The language and the package whose functions the copied code uses</extracomment>
        <translation>R mit stringi</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>SQL for MySQL 8</source>
        <translation>SQL für MySQL 8</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <location filename="../src/cli/CommandLine.cpp" line="+32"/>
        <source>A workbench for regular expressions: matches are painted into the sample text as you type.
Without arguments it opens its window.

Commands:
  match PATTERN [FILE...]  print the matches of PATTERN with ICU&apos;s semantics (quorvale match --help)
  check [LIBRARY.json]     run the tests kept with every expression (quorvale check --help)</source>
        <translation>Eine Werkbank für reguläre Ausdrücke: Treffer werden schon beim Tippen im Beispieltext markiert.
Ohne Argumente öffnet sich das Fenster.

Befehle:
  match PATTERN [FILE...]  die Treffer von PATTERN mit der Semantik von ICU ausgeben (quorvale match --help)
  check [LIBRARY.json]     die Tests jedes Ausdrucks ausführen (quorvale check --help)</translation>
    </message>
</context>
<context>
    <name>DefaultsExpressionImporter</name>
    <message>
        <location filename="../src/core/library/DefaultsExpressionImporter.cpp" line="+44"/>
        <source>First Expression</source>
        <extracomment>Name of the first expression that was imported from Quorvale &lt; 1.2</extracomment>
        <translation>Erster Ausdruck</translation>
    </message>
</context>
<context>
    <name>EvaluationStatusRow</name>
    <message>
        <location filename="../src/gui/editor/EvaluationStatusRow.cpp" line="+40"/>
        <source>processing…</source>
        <extracomment>Shown while a long evaluation runs</extracomment>
        <translation>wird ausgewertet …</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Stop</source>
        <extracomment>Button beside the processing label that stops the evaluation</extracomment>
        <translation>Stopp</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Stop the evaluation (Esc)</source>
        <translation>Auswertung stoppen (Esc)</translation>
    </message>
    <message>
        <location line="+153"/>
        <source>no matches found</source>
        <extracomment>Result line when the pattern finds nothing</extracomment>
        <translation>keine Treffer</translation>
    </message>
    <message numerus="yes">
        <location line="+3"/>
        <source>%Ln match(es)</source>
        <extracomment>Result line: how many matches the pattern found</extracomment>
        <translation>
            <numerusform>%Ln Treffer</numerusform>
            <numerusform>%Ln Treffer</numerusform>
        </translation>
    </message>
    <message>
        <location line="+7"/>
        <source>&lt;&#xa0;%L1&#xa0;ms</source>
        <extracomment>How long a search took, when it was quicker than a tenth of a millisecond</extracomment>
        <translation>&lt;&#xa0;%L1&#xa0;ms</translation>
    </message>
    <message>
        <location line="+3"/>
        <location line="+3"/>
        <source>%L1&#xa0;ms</source>
        <extracomment>How long a search took, in milliseconds with one decimal
----------
How long a search took, in whole milliseconds</extracomment>
        <translation>%L1&#xa0;ms</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%L1&#xa0;s</source>
        <extracomment>How long a search took, in seconds</extracomment>
        <translation>%L1&#xa0;s</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>%1 in %2</source>
        <extracomment>Result line: how many matches, then how long the search took, e.g. &quot;4 matches in 14 ms&quot;</extracomment>
        <translation>%1 in %2</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>group&#xa0;“%1”</source>
        <extracomment>Appended to the result line: the name of the highlighted capture group</extracomment>
        <translation>Gruppe&#xa0;„%1“</translation>
    </message>
    <message>
        <location line="+26"/>
        <source>%1 at line %2, offset %3</source>
        <extracomment>Tooltip of the error label: the engine&apos;s error name, then where in the pattern it is</extracomment>
        <translation>%1 in Zeile %2, Position %3</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1 · at the end</source>
        <extracomment>Why the pattern is invalid, then where: after the last character</extracomment>
        <translation>%1 · am Ende</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 · line %2, column %3</source>
        <extracomment>Why the pattern is invalid, then where; the column counts characters from 1</extracomment>
        <translation>%1 · Zeile %2, Spalte %3</translation>
    </message>
    <message>
        <location line="+18"/>
        <source>Evaluation stopped.</source>
        <extracomment>Shown after the user stopped a long evaluation, until the next edit</extracomment>
        <translation>Auswertung gestoppt.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Stopped after %1 s (time budget). Change it in Preferences.</source>
        <extracomment>Shown after an evaluation ran out of the time the preferences allow; %1 is that time in seconds</extracomment>
        <translation>Nach %1 s gestoppt (Zeitlimit). Sie können es in den Einstellungen ändern.</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>No match was found before it.</source>
        <extracomment>After a failed evaluation</extracomment>
        <translation>Bis dahin wurde kein Treffer gefunden.</translation>
    </message>
    <message numerus="yes">
        <location line="+3"/>
        <source>%Ln match(es) was/were found before it and is/are not shown.</source>
        <extracomment>After a failed evaluation; the matches are not painted</extracomment>
        <translation>
            <numerusform>Bis dahin wurde %Ln Treffer gefunden; er wird nicht angezeigt.</numerusform>
            <numerusform>Bis dahin wurden %Ln Treffer gefunden; sie werden nicht angezeigt.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Matching failed: %1 (%2). %3</source>
        <extracomment>Shown when the engine failed during an evaluation: %1 why, %2 the engine&apos;s error code, %3 how many matches it had found</extracomment>
        <translation>Die Suche ist fehlgeschlagen: %1 (%2). %3</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>The limit of %1 MB can be raised in Preferences.</source>
        <translation>Das Limit von %1 MB lässt sich in den Einstellungen erhöhen.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The limit can be raised in Preferences.</source>
        <translation>Das Limit lässt sich in den Einstellungen erhöhen.</translation>
    </message>
    <message>
        <location line="+72"/>
        <source>processing… %1 %</source>
        <extracomment>Shown while a long evaluation runs; %1 is how much of the sample text it has searched, in per cent</extracomment>
        <translation>wird ausgewertet … %1 %</translation>
    </message>
</context>
<context>
    <name>Expression</name>
    <message>
        <location filename="../src/core/library/Expression.cpp" line="+35"/>
        <source>New Expression</source>
        <extracomment>New expression title</extracomment>
        <translation>Neuer Ausdruck</translation>
    </message>
</context>
<context>
    <name>ExpressionFileImport</name>
    <message>
        <location filename="../src/core/library/ExpressionFileImport.cpp" line="+15"/>
        <source>it holds no expressions</source>
        <extracomment>Completes &quot;… could not be imported: &quot;</extracomment>
        <translation>sie enthält keine Ausdrücke</translation>
    </message>
</context>
<context>
    <name>ExpressionListModel</name>
    <message>
        <location filename="../src/core/library/ExpressionListModel.cpp" line="+139"/>
        <source>Some of its tests fail</source>
        <extracomment>Tooltip and screen-reader description of a library row whose expression fails a test</extracomment>
        <translation>Einige seiner Tests schlagen fehl</translation>
    </message>
</context>
<context>
    <name>ExpressionTestCase</name>
    <message>
        <location filename="../src/core/library/ExpressionTestCase.cpp" line="+97"/>
        <source>a match</source>
        <extracomment>What a test expects of the pattern</extracomment>
        <translation>einen Treffer</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>no match</source>
        <extracomment>What a test expects of the pattern</extracomment>
        <translation>keinen Treffer</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a match of the whole input</source>
        <extracomment>What a test expects of the pattern</extracomment>
        <translation>einen Treffer der ganzen Eingabe</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>the matches %1</source>
        <extracomment>What a test expects of the pattern; %1 is a list of texts such as [&quot;a&quot;,&quot;b&quot;]</extracomment>
        <translation>die Treffer %1</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>group %1 capturing %2</source>
        <translation>Gruppe %1 mit %2</translation>
    </message>
</context>
<context>
    <name>ExpressionTestRunner</name>
    <message>
        <location filename="../src/core/evaluation/ExpressionTestRunner.cpp" line="+46"/>
        <source>no result: %1</source>
        <extracomment>What the engine found for a test; %1 says why the search failed</extracomment>
        <translation>kein Ergebnis: %1</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>no match</source>
        <extracomment>What the engine found for a test</extracomment>
        <translation>keinen Treffer</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>one match %1</source>
        <extracomment>What the engine found for a test; %1 is the match in quotes and brackets</extracomment>
        <translation>einen Treffer %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1 matches, the first %2</source>
        <extracomment>What the engine found for a test; %1 counts the matches, %2 is the first in quotes and brackets</extracomment>
        <translation>%1 Treffer, der erste %2</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>a match of the whole input</source>
        <extracomment>What the engine found for a test</extracomment>
        <translation>einen Treffer der ganzen Eingabe</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>no match of the whole input</source>
        <translation>keinen Treffer der ganzen Eingabe</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the pattern has no group %1</source>
        <extracomment>What the engine found for a test; %1 is a group number</extracomment>
        <translation>das Muster hat keine Gruppe %1</translation>
    </message>
</context>
<context>
    <name>ExpressionTestsViewController</name>
    <message>
        <location filename="../src/gui/editor/ExpressionTestsViewController.cpp" line="+44"/>
        <location line="+11"/>
        <source>Tests</source>
        <extracomment>Title of the panel that lists the tests kept with the expression</extracomment>
        <translation>Tests</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The tests kept with the expression, whether each passes, and what it expects and what was found</source>
        <translation>Die Tests des Ausdrucks, ob jeder besteht, was er erwartet und was gefunden wurde</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Input</source>
        <extracomment>Column headers of the tests panel: pass or fail, the tested text, what the test expects, what was found</extracomment>
        <translation>Eingabe</translation>
    </message>
    <message>
        <location line="+0"/>
        <location line="+18"/>
        <source>Expects</source>
        <extracomment>What the chosen test expects</extracomment>
        <translation>Erwartet</translation>
    </message>
    <message>
        <location line="-18"/>
        <source>Found</source>
        <translation>Gefunden</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Add Sample as Test</source>
        <extracomment>Adds the sample text, or its selection, as a test that expects what the pattern finds now</extracomment>
        <translation>Beispiel als Test hinzufügen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Adds the sample text, or its selection, as a test that expects what the pattern finds now</source>
        <translation>Fügt den Beispieltext oder seine Auswahl als Test hinzu, der erwartet, was das Muster jetzt findet</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>What the chosen test expects</source>
        <translation>Was der gewählte Test erwartet</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Remove Test</source>
        <extracomment>Removes the chosen test</extracomment>
        <translation>Test entfernen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Removes the chosen test from the expression</source>
        <translation>Entfernt den gewählten Test aus dem Ausdruck</translation>
    </message>
    <message>
        <location line="+21"/>
        <source>The tests were stopped before they ended.</source>
        <extracomment>The tests took longer than the time budget, or were stopped</extracomment>
        <translation>Die Tests wurden vor ihrem Ende angehalten.</translation>
    </message>
    <message>
        <location line="+132"/>
        <source>The pattern is invalid: %1</source>
        <extracomment>%1 says why the pattern is invalid</extracomment>
        <translation>Das Muster ist ungültig: %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The sample could not be made a test: the search failed.</source>
        <extracomment>The sample could not be searched to make a test of it</extracomment>
        <translation>Aus dem Beispiel konnte kein Test werden: Die Suche ist fehlgeschlagen.</translation>
    </message>
    <message>
        <location line="+24"/>
        <source>Passes</source>
        <extracomment>Whether a test passes, for screen readers and the tooltip</extracomment>
        <translation>Bestanden</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Fails</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <location line="+16"/>
        <source>These tests were written by a newer version; they are kept as they are.</source>
        <extracomment>The expression&apos;s tests were written in a form this version does not know</extracomment>
        <translation>Diese Tests stammen von einer neueren Version; sie bleiben unverändert erhalten.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>No tests yet: &quot;Add Sample as Test&quot; keeps what the pattern finds in the sample.</source>
        <extracomment>Shown while the expression has no tests</extracomment>
        <translation>Noch keine Tests: „Beispiel als Test hinzufügen“ hält fest, was das Muster im Beispiel findet.</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Every test passes.</source>
        <extracomment>%1 counts the failing tests, %Ln all of the expression&apos;s tests</extracomment>
        <translation>Alle Tests bestanden.</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%1 of %Ln test(s) fail.</source>
        <translation>
            <numerusform>%1 von %Ln Test schlägt fehl.</numerusform>
            <numerusform>%1 von %Ln Tests schlagen fehl.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ExpressionViewController</name>
    <message>
        <location filename="../src/gui/editor/ExpressionViewController.cpp" line="+107"/>
        <source>Library</source>
        <extracomment>Button that shows or hides the expression library</extracomment>
        <translation>Bibliothek</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show or hide the expression library</source>
        <translation>Die Bibliothek der Ausdrücke ein- oder ausblenden</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Reference</source>
        <extracomment>Button that shows or hides the cheat sheet</extracomment>
        <translation>Referenz</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Show or hide the regular-expression reference</source>
        <translation>Die Referenz für reguläre Ausdrücke ein- oder ausblenden</translation>
    </message>
    <message>
        <location line="+33"/>
        <source>Regular Expression</source>
        <extracomment>Placeholder of the pattern editor</extracomment>
        <translation>Regulärer Ausdruck</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Sample text</source>
        <translation>Beispieltext</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The text the pattern is matched against, with its matches marked</source>
        <translation>Der Text, in dem das Muster sucht, mit markierten Treffern</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Sample Text</source>
        <extracomment>Placeholder of the sample text</extracomment>
        <translation>Beispieltext</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>No Expression Selected</source>
        <extracomment>Shown in place of the editor while the library has no selection</extracomment>
        <translation>Kein Ausdruck ausgewählt</translation>
    </message>
    <message>
        <location line="+332"/>
        <source>Expression is invalid</source>
        <extracomment>Error message</extracomment>
        <translation>Der Ausdruck ist ungültig</translation>
    </message>
</context>
<context>
    <name>FeedbackDialog</name>
    <message>
        <location filename="../src/gui/app/FeedbackDialog.cpp" line="+20"/>
        <source>Send Feedback</source>
        <extracomment>Title of the feedback window</extracomment>
        <translation>Rückmeldung senden</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Describe what happened or what you would like. Copy the message and send it to the developers; the version details below help them reproduce it.</source>
        <translation>Beschreiben Sie, was passiert ist oder was Sie sich wünschen. Kopieren Sie die Nachricht und schicken Sie sie an die Entwickler; die Versionsangaben unten helfen ihnen, das Problem nachzuvollziehen.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Feedback message</source>
        <translation>Rückmeldung</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Copy Message</source>
        <translation>Nachricht kopieren</translation>
    </message>
</context>
<context>
    <name>JsonStore</name>
    <message>
        <location filename="../src/core/library/JsonStore.cpp" line="+203"/>
        <source>it cannot be opened (%1)</source>
        <extracomment>Completes &quot;The library file could not be read: &quot;; %1 is the system&apos;s reason</extracomment>
        <translation>sie kann nicht geöffnet werden (%1)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>reading it failed (%1)</source>
        <extracomment>Completes &quot;The library file could not be read: &quot;; %1 is the system&apos;s reason</extracomment>
        <translation>das Lesen ist fehlgeschlagen (%1)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>it is empty</source>
        <extracomment>Completes &quot;The library file could not be read: &quot;</extracomment>
        <translation>sie ist leer</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>it is not valid JSON (%1 at byte %2)</source>
        <extracomment>Completes &quot;The library file could not be read: &quot;; %1 is the parser&apos;s message, %2 a byte offset</extracomment>
        <translation>sie enthält kein gültiges JSON (%1 bei Byte %2)</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>it does not hold a JSON array</source>
        <extracomment>Completes &quot;The library file could not be read: &quot;</extracomment>
        <translation>sie enthält kein JSON-Array</translation>
    </message>
    <message numerus="yes">
        <location line="+24"/>
        <source>it has %1 of %n entry(s) that cannot be read (%2)</source>
        <extracomment>Completes &quot;The library file could not be read: &quot;; %2 names the first bad entry and what is wrong with it</extracomment>
        <translation>
            <numerusform>%1 von %n Eintrag kann nicht gelesen werden (%2)</numerusform>
            <numerusform>%1 von %n Einträgen können nicht gelesen werden (%2)</numerusform>
        </translation>
    </message>
    <message>
        <location line="+41"/>
        <source>another running Quorvale holds it now</source>
        <extracomment>Why the library could not be saved</extracomment>
        <translation>ein anderes laufendes Quorvale verwendet sie gerade</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>its folder cannot be locked against a second Quorvale: %1</source>
        <extracomment>Why the library could not be saved; %1 is the system&apos;s reason</extracomment>
        <translation>ihr Ordner lässt sich nicht gegen ein zweites Quorvale sperren: %1</translation>
    </message>
    <message>
        <location line="+102"/>
        <source>the unreadable file there could not be kept aside first</source>
        <extracomment>Why the library could not be saved</extracomment>
        <translation>die unlesbare Datei dort konnte nicht zuvor gesichert werden</translation>
    </message>
</context>
<context>
    <name>LibrarySaveNotice</name>
    <message>
        <location filename="../src/gui/library/LibrarySaveNotice.cpp" line="+17"/>
        <source>Save a Copy of the Library</source>
        <translation>Kopie der Bibliothek speichern</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>JSON files (*.json);;All files (*)</source>
        <extracomment>File type filter of the dialog that saves a copy of the library</extracomment>
        <translation>JSON-Dateien (*.json);;Alle Dateien (*)</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>Retry</source>
        <extracomment>Button of the notice shown while the library cannot be saved</extracomment>
        <translation>Erneut versuchen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Save a Copy…</source>
        <extracomment>Button of the notice shown while the library cannot be saved</extracomment>
        <translation>Kopie speichern …</translation>
    </message>
    <message>
        <location line="+38"/>
        <source>The copy could not be saved to %1 either (%2).</source>
        <extracomment>%1 is the chosen file, %2 the system&apos;s reason</extracomment>
        <translation>Auch die Kopie konnte nicht in %1 gespeichert werden (%2).</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A copy was saved to %1.</source>
        <translation>Eine Kopie wurde in %1 gespeichert.</translation>
    </message>
    <message>
        <location line="+14"/>
        <source>Your library could not be saved to %1 (%2). Your changes are kept while Quorvale is open: try again, or save a copy elsewhere.</source>
        <extracomment>%1 is the library file, %2 the system&apos;s reason</extracomment>
        <translation>Ihre Bibliothek konnte nicht in %1 gespeichert werden (%2). Ihre Änderungen bleiben erhalten, solange Quorvale geöffnet ist: Versuchen Sie es erneut oder speichern Sie eine Kopie an einem anderen Ort.</translation>
    </message>
</context>
<context>
    <name>LibraryStoreController</name>
    <message>
        <location filename="../src/core/library/LibraryStoreController.cpp" line="+130"/>
        <source>First Expression</source>
        <extracomment>Name of the first, empty expression</extracomment>
        <translation>Erster Ausdruck</translation>
    </message>
</context>
<context>
    <name>LibraryViewController</name>
    <message>
        <location filename="../src/gui/library/LibraryViewController.cpp" line="+74"/>
        <source>Filter</source>
        <extracomment>Placeholder of the field above the library list that narrows it by name or pattern</extracomment>
        <translation>Filtern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Filter Expressions</source>
        <translation>Ausdrücke filtern</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Shows only the expressions whose name or pattern holds this text</source>
        <translation>Zeigt nur die Ausdrücke, deren Name oder Muster diesen Text enthält</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Expressions</source>
        <translation>Ausdrücke</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The saved expressions; choose one to edit it</source>
        <translation>Die gespeicherten Ausdrücke; wählen Sie einen zum Bearbeiten aus</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>Add a new expression</source>
        <extracomment>Tool tip of the button under the library list</extracomment>
        <translation>Einen neuen Ausdruck hinzufügen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Add Expression</source>
        <translation>Ausdruck hinzufügen</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Delete the selected expression</source>
        <extracomment>Tool tip of the button under the library list</extracomment>
        <translation>Den ausgewählten Ausdruck löschen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Delete Expression</source>
        <translation>Ausdruck löschen</translation>
    </message>
    <message>
        <location line="+124"/>
        <source>Are you sure you want to delete &quot;%1&quot; expression?</source>
        <extracomment>User&apos;s trying to delete the selected expression</extracomment>
        <translation>Möchten Sie den Ausdruck „%1“ wirklich löschen?</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <location line="+45"/>
        <source>No expressions were imported from %1: %2.</source>
        <extracomment>%1 is a file, %2 a clause such as &quot;it is not valid JSON (unterminated object at byte 72)&quot;</extracomment>
        <translation>Aus %1 wurden keine Ausdrücke importiert: %2.</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Imported 1 expression from %1.</source>
        <extracomment>%1 is a file</extracomment>
        <translation>1 Ausdruck aus %1 importiert.</translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>Imported %n expressions from %1.</source>
        <extracomment>%1 is a file</extracomment>
        <translation>
            <numerusform>%n Ausdruck aus %1 importiert.</numerusform>
            <numerusform>%n Ausdrücke aus %1 importiert.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+4"/>
        <source>One was renamed, as the library already had its name.</source>
        <extracomment>Follows &quot;Imported 3 expressions from …&quot;</extracomment>
        <translation>Einer wurde umbenannt, da die Bibliothek seinen Namen schon hatte.</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>%n were renamed, as the library already had their names.</source>
        <translation>
            <numerusform>%n wurde umbenannt, da die Bibliothek seinen Namen schon hatte.</numerusform>
            <numerusform>%n wurden umbenannt, da die Bibliothek ihre Namen schon hatte.</numerusform>
        </translation>
    </message>
    <message>
        <location line="+15"/>
        <source>The expressions could not be exported to %1: %2.</source>
        <extracomment>%1 is a file, %2 the system&apos;s reason</extracomment>
        <translation>Die Ausdrücke konnten nicht nach %1 exportiert werden: %2.</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Import Expressions</source>
        <extracomment>Title of the file dialog of File › Import Expressions…</extracomment>
        <translation>Ausdrücke importieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Expression libraries (*.json);;All files (*)</source>
        <translation>Bibliotheken von Ausdrücken (*.json);;Alle Dateien (*)</translation>
    </message>
    <message>
        <location line="+12"/>
        <source>Export Selected Expressions</source>
        <extracomment>Title of the file dialog of File › Export Selected Expressions…; &quot;Expressions.json&quot; is the suggested name</extracomment>
        <translation>Ausgewählte Ausdrücke exportieren</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Expressions.json</source>
        <translation>Ausdrücke.json</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Expression libraries (*.json)</source>
        <translation>Bibliotheken von Ausdrücken (*.json)</translation>
    </message>
</context>
<context>
    <name>MainWindowController</name>
    <message>
        <location filename="../src/gui/app/MainWindowController.cpp" line="+162"/>
        <source>Quit without saving your library?</source>
        <extracomment>Asked on quitting while the library cannot be saved</extracomment>
        <translation>Beenden, ohne Ihre Bibliothek zu speichern?</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Your library could not be saved to %1 (%2). If you quit now, the changes since it was last saved are lost.</source>
        <extracomment>%1 is the library file, %2 the system&apos;s reason</extracomment>
        <translation>Ihre Bibliothek konnte nicht in %1 gespeichert werden (%2). Wenn Sie jetzt beenden, gehen die Änderungen seit dem letzten Speichern verloren.</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Save a Copy…</source>
        <extracomment>Saves the library to another file, then quits</extracomment>
        <translation>Kopie speichern …</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Quit Without Saving</source>
        <translation>Ohne Speichern beenden</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>MatchCommand</name>
    <message>
        <location filename="../src/cli/MatchCommand.cpp" line="+108"/>
        <source>%1: is a folder</source>
        <translation>%1: ist ein Ordner</translation>
    </message>
    <message>
        <location line="+49"/>
        <source>%1: not UTF-8 text</source>
        <translation>%1: kein UTF-8-Text</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>%1: too long for the engine</source>
        <translation>%1: zu lang für die Regex-Engine</translation>
    </message>
    <message>
        <location line="+51"/>
        <source>%1: matching failed: %2 (%3)</source>
        <translation>%1: Suche fehlgeschlagen: %2 (%3)</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>Prints the matches of PATTERN in each FILE, or in standard input when there is none, with ICU&apos;s semantics: one line per match (file:line:match), or one JSON object per match with UTF-16 and UTF-8 offsets and every group. Exit status: 0 when something matched, 1 when nothing did, 2 on an error.</source>
        <translation>Gibt die Treffer von PATTERN in jeder Datei FILE aus, oder in der Standardeingabe, wenn keine angegeben ist, nach der Semantik von ICU: eine Zeile je Treffer (Datei:Zeile:Treffer) oder ein JSON-Objekt je Treffer mit UTF-16- und UTF-8-Positionen und allen Gruppen. Rückgabewert: 0, wenn etwas gefunden wurde, 1, wenn nichts gefunden wurde, 2 bei einem Fehler.</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>One JSON object per match.</source>
        <translation>Ein JSON-Objekt je Treffer.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>An ICU regular expression.</source>
        <translation>Ein regulärer Ausdruck in der Syntax von ICU.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Files to search, UTF-8; - for standard input.</source>
        <translation>Zu durchsuchende Dateien in UTF-8; - für die Standardeingabe.</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>a pattern is needed (quorvale match --help)</source>
        <translation>ein Muster ist erforderlich (quorvale match --help)</translation>
    </message>
    <message>
        <location line="+20"/>
        <source>(standard input)</source>
        <translation>(Standardeingabe)</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>the output could not be written</source>
        <translation>die Ausgabe konnte nicht geschrieben werden</translation>
    </message>
</context>
<context>
    <name>MatchInspectorModel</name>
    <message>
        <location filename="../src/core/evaluation/MatchInspectorModel.cpp" line="+168"/>
        <source>Number</source>
        <extracomment>Inspector column: the match number, or the group&apos;s number or name</extracomment>
        <translation>Nummer</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Range</source>
        <extracomment>Inspector column: where a match or group lies in the text</extracomment>
        <translation>Bereich</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Text</source>
        <extracomment>Inspector column: the matched text</extracomment>
        <translation>Text</translation>
    </message>
    <message>
        <location line="+29"/>
        <source>did not take part</source>
        <extracomment>Inspector: a capture group that matched nothing in this match</extracomment>
        <translation>nicht beteiligt</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>%1:%2 (offset %3, length %4)</source>
        <extracomment>Inspector range: line:column, then the UTF-16 offset and length</extracomment>
        <translation>%1:%2 (Position %3, Länge %4)</translation>
    </message>
    <message>
        <location line="+36"/>
        <source>Match %1</source>
        <extracomment>Inspector tooltip of a match row</extracomment>
        <translation>Treffer %1</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Group %1</source>
        <extracomment>Inspector tooltip of a group row</extracomment>
        <translation>Gruppe %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Group %1 &quot;%2&quot;</source>
        <extracomment>Inspector tooltip of a named group row: number, then name</extracomment>
        <translation>Gruppe %1 „%2“</translation>
    </message>
</context>
<context>
    <name>MatchInspectorViewController</name>
    <message>
        <location filename="../src/gui/editor/MatchInspectorViewController.cpp" line="+45"/>
        <source>Match inspector</source>
        <translation>Treffer-Inspektor</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Every match and its groups; choose one to select it in the sample text</source>
        <translation>Alle Treffer und ihre Gruppen; wählen Sie einen aus, um ihn im Beispieltext zu markieren</translation>
    </message>
    <message>
        <location line="+84"/>
        <source>no matches found</source>
        <extracomment>Above the match inspector when the pattern finds nothing</extracomment>
        <translation>keine Treffer</translation>
    </message>
    <message numerus="yes">
        <location line="+4"/>
        <source>%Ln match(es)</source>
        <extracomment>Above the match inspector: the number of matches</extracomment>
        <translation>
            <numerusform>%Ln Treffer</numerusform>
            <numerusform>%Ln Treffer</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+3"/>
        <source>%Ln match(es), the first %L1 listed</source>
        <extracomment>Above the match inspector: the number of matches, and how many of them it lists</extracomment>
        <translation>
            <numerusform>%Ln Treffer, die ersten %L1 aufgeführt</numerusform>
            <numerusform>%Ln Treffer, die ersten %L1 aufgeführt</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MatchingOptions</name>
    <message>
        <location filename="../src/cli/MatchingOptions.cpp" line="+9"/>
        <source>Letters match either case.</source>
        <translation>Groß-/Kleinschreibung ignorieren.</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>^ and $ match at line breaks too.</source>
        <translation>^ und $ passen auch an Zeilenumbrüchen.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Allow white space and # comments in patterns.</source>
        <translation>Leerraum und #-Kommentare in Mustern erlauben.</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>. matches line breaks too.</source>
        <translation>. passt auch auf Zeilenumbrüche.</translation>
    </message>
    <message>
        <location line="+21"/>
        <source> at line %1, column %2</source>
        <translation> in Zeile %1, Spalte %2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>invalid pattern: %1 (%2)%3</source>
        <translation>ungültiges Muster: %1 (%2)%3</translation>
    </message>
</context>
<context>
    <name>MatchingSwitchBar</name>
    <message>
        <location filename="../src/gui/editor/MatchingSwitchBar.cpp" line="+24"/>
        <source>%1: %2 (%3)</source>
        <extracomment>Tooltip of a matching switch&apos;s button: its name, what it does, its shortcut</extracomment>
        <translation>%1: %2 (%3)</translation>
    </message>
</context>
<context>
    <name>MatchingSwitches</name>
    <message>
        <location filename="../src/core/evaluation/MatchingSwitches.cpp" line="+8"/>
        <source>Case insensitive</source>
        <translation>Groß-/Kleinschreibung ignorieren</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>&amp;Case Insensitive</source>
        <translation>&amp;Groß-/Kleinschreibung ignorieren</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>i</source>
        <extracomment>Button above the pattern for case-insensitive matching; ICU&apos;s flag letter</extracomment>
        <translation>i</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Letters match in either case</source>
        <translation>Buchstaben passen in Groß- wie Kleinschreibung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Anchors match lines</source>
        <translation>Anker gelten für jede Zeile</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>&amp;Anchors Match Lines</source>
        <translation>&amp;Anker gelten für jede Zeile</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>m</source>
        <extracomment>Button above the pattern for anchors matching at lines; ICU&apos;s flag letter</extracomment>
        <translation>m</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>&quot;^&quot; and &quot;$&quot; match at the start and end of every line</source>
        <translation>„^“ und „$“ passen an Anfang und Ende jeder Zeile</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Allow comments and whitespace</source>
        <translation>Kommentare und Leerraum erlauben</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Allow Comments and &amp;Whitespace</source>
        <translation>&amp;Kommentare und Leerraum erlauben</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>x</source>
        <extracomment>Button above the pattern for free spacing; ICU&apos;s flag letter</extracomment>
        <translation>x</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>White space in the pattern is ignored and &quot;#&quot; starts a comment</source>
        <translation>Leerraum im Muster wird ignoriert und „#“ beginnt einen Kommentar</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Dot matches line separators</source>
        <translation>Punkt passt auf Zeilentrenner</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Dot Matches Line Separators</source>
        <translation>&amp;Punkt passt auf Zeilentrenner</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>s</source>
        <extracomment>Button above the pattern for &quot;.&quot; matching line breaks too; ICU&apos;s flag letter</extracomment>
        <translation>s</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>&quot;.&quot; matches every character, line separators too</source>
        <translation>„.“ passt auf jedes Zeichen, auch auf Zeilentrenner</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unicode word boundaries</source>
        <translation>Unicode-Wortgrenzen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>&amp;Unicode Word Boundaries</source>
        <translation>&amp;Unicode-Wortgrenzen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>w</source>
        <extracomment>Button above the pattern for Unicode word boundaries; ICU&apos;s flag letter</extracomment>
        <translation>w</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>&quot;\b&quot; finds word boundaries by the Unicode rules for words</source>
        <translation>„\b“ findet Wortgrenzen nach den Unicode-Regeln für Wörter</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unix line separators only</source>
        <translation>Nur Unix-Zeilentrenner</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Unix &amp;Line Separators Only</source>
        <translation>Nur Unix-&amp;Zeilentrenner</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>\n</source>
        <extracomment>Button above the pattern for Unix line separators: only a line feed ends a line</extracomment>
        <translation>\n</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Only a line feed ends a line, for &quot;.&quot;, &quot;^&quot; and &quot;$&quot;</source>
        <translation>Nur ein Zeilenvorschub beendet eine Zeile, für „.“, „^“ und „$“</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Pattern is literal text</source>
        <translation>Muster ist wörtlicher Text</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Pattern Is Li&amp;teral Text</source>
        <translation>Muster ist &amp;wörtlicher Text</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>\Q</source>
        <extracomment>Button above the pattern for matching it as literal text, as &quot;Q…E&quot; would</extracomment>
        <translation>\Q</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>The pattern matches as plain text: no character in it is special</source>
        <translation>Das Muster wird als reiner Text gesucht: Kein Zeichen darin hat eine besondere Bedeutung</translation>
    </message>
</context>
<context>
    <name>PatternExplanation</name>
    <message numerus="yes">
        <location filename="../src/core/pattern/PatternExplanation.cpp" line="+134"/>
        <source>The pattern is too long to explain here (more than %Ln character(s))</source>
        <extracomment>In the explanation panel, for a pattern too long to explain</extracomment>
        <translation>
            <numerusform>Das Muster ist zu lang, um es hier zu erklären (mehr als %Ln Zeichen)</numerusform>
            <numerusform>Das Muster ist zu lang, um es hier zu erklären (mehr als %Ln Zeichen)</numerusform>
        </translation>
    </message>
    <message>
        <location line="+4"/>
        <source>case-insensitive</source>
        <translation>Groß-/Kleinschreibung ignoriert</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>multiline</source>
        <translation>mehrzeilig</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>comments and white space allowed</source>
        <translation>Kommentare und Leerraum erlaubt</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>dot matches line breaks</source>
        <translation>Punkt passt auf Zeilenumbrüche</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Unicode word boundaries</source>
        <translation>Unicode-Wortgrenzen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>only \n ends a line</source>
        <translation>nur \n beendet eine Zeile</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>literal</source>
        <translation>wörtlich</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The whole pattern</source>
        <translation>Das ganze Muster</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The whole pattern, compiled %1</source>
        <extracomment>%1 lists the compile options, e.g. &quot;case-insensitive, multiline&quot;</extracomment>
        <translation>Das ganze Muster (Optionen: %1)</translation>
    </message>
    <message numerus="yes">
        <location line="+3"/>
        <source>Either of %n alternatives, tried from left to right; the first that matches wins</source>
        <translation>
            <numerusform>Eine von %n Alternativen, von links nach rechts versucht; die erste, die passt, gewinnt</numerusform>
            <numerusform>Eine von %n Alternativen, von links nach rechts versucht; die erste, die passt, gewinnt</numerusform>
        </translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Alternative %1: empty, matches at once</source>
        <translation>Alternative %1: leer, passt sofort</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Alternative %1</source>
        <translation>Alternative %1</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>\Q: everything up to \E (or the end) is matched as it stands, metacharacters included</source>
        <translation>\Q: Alles bis \E (oder bis zum Ende) wird wörtlich gesucht, Metazeichen eingeschlossen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>\E: the end of the quoted text</source>
        <translation>\E: das Ende des zitierten Texts</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>One character without the Unicode property “%1”</source>
        <translation>Ein Zeichen ohne die Unicode-Eigenschaft „%1“</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>One character with the Unicode property “%1”</source>
        <translation>Ein Zeichen mit der Unicode-Eigenschaft „%1“</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Any character, line breaks included (dot-all)</source>
        <translation>Ein beliebiges Zeichen, Zeilenumbrüche eingeschlossen (dot-all)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Any character except a line feed (\n)</source>
        <translation>Ein beliebiges Zeichen außer einem Zeilenvorschub (\n)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Any character except a line break (\n, \r, VT, FF, NEL, LS, PS)</source>
        <translation>Ein beliebiges Zeichen außer einem Zeilenumbruch (\n, \r, VT, FF, NEL, LS, PS)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>One character not in this set</source>
        <translation>Ein Zeichen, das nicht in dieser Menge ist</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>One character from this set</source>
        <translation>Ein Zeichen aus dieser Menge</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+29"/>
        <location line="+23"/>
        <source>, in either case</source>
        <translation>, in Groß- oder Kleinschreibung</translation>
    </message>
    <message>
        <location line="-50"/>
        <source> — the set is not closed with “]”</source>
        <translation> – die Menge wird nicht mit „]“ geschlossen</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>A character from %1 to %2</source>
        <translation>Ein Zeichen von %1 bis %2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&amp;&amp;: keeps only the characters that are also in what follows (intersection)</source>
        <translation>&amp;&amp;: behält nur die Zeichen, die auch im Folgenden enthalten sind (Schnittmenge)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>--: takes away the characters in what follows (difference)</source>
        <translation>--: entfernt die Zeichen, die im Folgenden enthalten sind (Differenz)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>One character without the property “%1” ([:^name:] form)</source>
        <translation>Ein Zeichen ohne die Eigenschaft „%1“ (Form [:^name:])</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>One character with the property “%1” ([:name:] form)</source>
        <translation>Ein Zeichen mit der Eigenschaft „%1“ (Form [:name:])</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>Flags from here to the end of the enclosing group: on “%1”, off “%2” (i: ignore case, m: multiline, s: dot-all, x: free spacing, w: Unicode words, d: Unix lines)</source>
        <extracomment>%1 and %2 are flag letters such as &quot;i&quot; or &quot;mx&quot;</extracomment>
        <translation>Schalter von hier bis zum Ende der umschließenden Gruppe: an „%1“, aus „%2“ (i: Groß-/Kleinschreibung ignorieren, m: mehrzeilig, s: dot-all, x: freie Formatierung, w: Unicode-Wörter, d: Unix-Zeilen)</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The text captured by the group named “%1” — no such group</source>
        <translation>Der Text, den die Gruppe namens „%1“ erfasst hat – diese Gruppe gibt es nicht</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The same text as group %1 “%2” captured%3</source>
        <translation>Derselbe Text, den Gruppe %1 „%2“ erfasst hat%3</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The text captured by group %1 — the pattern has no such group</source>
        <translation>Der Text, den Gruppe %1 erfasst hat – das Muster hat keine solche Gruppe</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The same text as group %1 captured%2</source>
        <translation>Derselbe Text, den Gruppe %1 erfasst hat%2</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>A comment, ignored when matching</source>
        <translation>Ein Kommentar, bei der Suche ignoriert</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A closing parenthesis without an opening one</source>
        <translation>Eine schließende Klammer ohne öffnende</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Error: %1</source>
        <extracomment>In the explanation panel: why the pattern does not compile</extracomment>
        <translation>Fehler: %1</translation>
    </message>
    <message>
        <location line="+10"/>
        <source>The character %1%2</source>
        <translation>Das Zeichen %1%2</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The text “%1”%2</source>
        <translation>Der Text „%1“%2</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>An escape that spells no character: too few digits, or a code past U+10FFFF</source>
        <translation>Eine Escape-Sequenz, die kein Zeichen ergibt: zu wenige Ziffern oder ein Code jenseits von U+10FFFF</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The character %1</source>
        <translation>Das Zeichen %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>A tab (%1)</source>
        <translation>Ein Tabulator (%1)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A line feed (%1)</source>
        <translation>Ein Zeilenvorschub (%1)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A carriage return (%1)</source>
        <translation>Ein Wagenrücklauf (%1)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A form feed (%1)</source>
        <translation>Ein Seitenvorschub (%1)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The bell character (%1)</source>
        <translation>Das Klingelzeichen (%1)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The escape character (%1)</source>
        <translation>Das Escape-Zeichen (%1)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The character %1, by its hexadecimal code</source>
        <translation>Das Zeichen %1, über seinen hexadezimalen Code</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The character %1, by its octal code</source>
        <translation>Das Zeichen %1, über seinen oktalen Code</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The control character %1</source>
        <translation>Das Steuerzeichen %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The character named “%1” — ICU knows no such name</source>
        <translation>Das Zeichen namens „%1“ – ICU kennt keinen solchen Namen</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The character named “%1”: %2</source>
        <translation>Das Zeichen namens „%1“: %2</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>The character “%1”: an escaped letter ICU gives no meaning stands for itself</source>
        <translation>Das Zeichen „%1“: Ein maskierter Buchstabe ohne Bedeutung in ICU steht für sich selbst</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The character %1, escaped so it is not syntax</source>
        <translation>Das Zeichen %1, maskiert, damit es nicht als Syntax gilt</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>A decimal digit, in any script (Unicode category Nd)</source>
        <translation>Eine Dezimalziffer in beliebiger Schrift (Unicode-Kategorie Nd)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Any character that is not a decimal digit</source>
        <translation>Ein beliebiges Zeichen, das keine Dezimalziffer ist</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A word character: a letter, mark, decimal digit or connector punctuation such as “_”</source>
        <translation>Ein Wortzeichen: ein Buchstabe, ein Kombinationszeichen, eine Dezimalziffer oder ein Verbindungszeichen wie „_“</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Any character that is not a word character</source>
        <translation>Ein beliebiges Zeichen, das kein Wortzeichen ist</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A white-space character (Unicode White_Space), line breaks included</source>
        <translation>Ein Leerraumzeichen (Unicode White_Space), Zeilenumbrüche eingeschlossen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Any character that is not white space</source>
        <translation>Ein beliebiges Zeichen, das kein Leerraum ist</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A horizontal white-space character: tab, space and the other space separators</source>
        <translation>Ein horizontales Leerraumzeichen: Tabulator, Leerzeichen und die anderen Leerzeichen-Trenner</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Any character that is not horizontal white space</source>
        <translation>Ein beliebiges Zeichen, das kein horizontaler Leerraum ist</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A vertical white-space character: \n, VT, FF, \r, NEL, LS or PS</source>
        <translation>Ein vertikales Leerraumzeichen: \n, VT, FF, \r, NEL, LS oder PS</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Any character that is not vertical white space</source>
        <translation>Ein beliebiges Zeichen, das kein vertikaler Leerraum ist</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A line break: \r\n as one, or one of \n, VT, FF, \r, NEL, LS, PS</source>
        <translation>Ein Zeilenumbruch: \r\n als eines oder eines von \n, VT, FF, \r, NEL, LS, PS</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>One user-perceived character (an extended grapheme cluster), however many code points</source>
        <translation>Ein vom Leser wahrgenommenes Zeichen (ein erweiterter Graphem-Cluster), gleich aus wie vielen Codepunkten</translation>
    </message>
    <message>
        <location line="+13"/>
        <source>The start of the text (multiline is off)</source>
        <translation>Der Anfang des Texts (mehrzeilig ist aus)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The start of a line: the start of the text or just after a \n (multiline)</source>
        <translation>Der Anfang einer Zeile: der Anfang des Texts oder direkt nach einem \n (mehrzeilig)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The start of a line: the start of the text or just after a line break (multiline)</source>
        <translation>Der Anfang einer Zeile: der Anfang des Texts oder direkt nach einem Zeilenumbruch (mehrzeilig)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The end of the text, or just before a \n that ends it (multiline is off)</source>
        <translation>Das Ende des Texts oder direkt vor einem \n, das ihn beendet (mehrzeilig ist aus)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The end of the text, or just before a line break that ends it (multiline is off)</source>
        <translation>Das Ende des Texts oder direkt vor einem Zeilenumbruch, der ihn beendet (mehrzeilig ist aus)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The end of a line: just before a \n, or the end of the text (multiline)</source>
        <translation>Das Ende einer Zeile: direkt vor einem \n oder das Ende des Texts (mehrzeilig)</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The end of a line: just before a line break, or the end of the text (multiline)</source>
        <translation>Das Ende einer Zeile: direkt vor einem Zeilenumbruch oder das Ende des Texts (mehrzeilig)</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The start of the text, whatever multiline says</source>
        <translation>Der Anfang des Texts, unabhängig von mehrzeilig</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The very end of the text</source>
        <translation>Das äußerste Ende des Texts</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The end of the text, or just before a line break that ends it</source>
        <translation>Das Ende des Texts oder direkt vor einem Zeilenumbruch, der ihn beendet</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>A word boundary, by Unicode&apos;s word-break rules</source>
        <translation>Eine Wortgrenze nach den Unicode-Regeln für Wortumbrüche</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>A word boundary: between a word character and a non-word character</source>
        <translation>Eine Wortgrenze: zwischen einem Wortzeichen und einem Nicht-Wortzeichen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Not a word boundary, by Unicode&apos;s word-break rules</source>
        <translation>Keine Wortgrenze nach den Unicode-Regeln für Wortumbrüche</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Not a word boundary</source>
        <translation>Keine Wortgrenze</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Where the previous match ended (the start of the search for the first match)</source>
        <translation>Wo der vorige Treffer endete (der Anfang der Suche beim ersten Treffer)</translation>
    </message>
    <message>
        <location line="+11"/>
        <source>Capturing group %1</source>
        <translation>Erfassende Gruppe %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Capturing group %1, named “%2”</source>
        <translation>Erfassende Gruppe %1 namens „%2“</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>A group that does not capture</source>
        <translation>Eine nicht erfassende Gruppe</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>An atomic group: once it has matched, the engine never backtracks into it</source>
        <translation>Eine atomare Gruppe: Hat sie einmal gepasst, kehrt die Suche nie mehr in sie zurück</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Lookahead: what follows must match here; nothing is consumed</source>
        <translation>Lookahead: Das Folgende muss hier passen; nichts wird verbraucht</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Negative lookahead: what follows must not match here; nothing is consumed</source>
        <translation>Negatives Lookahead: Das Folgende darf hier nicht passen; nichts wird verbraucht</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Lookbehind: what comes before must match, with a bounded length; nothing is consumed</source>
        <translation>Lookbehind: Das Vorangehende muss passen, mit begrenzter Länge; nichts wird verbraucht</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Negative lookbehind: what comes before must not match, with a bounded length; nothing is consumed</source>
        <translation>Negatives Lookbehind: Das Vorangehende darf nicht passen, mit begrenzter Länge; nichts wird verbraucht</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>A group that does not capture, with flags on “%1”, off “%2” inside it</source>
        <translation>Eine nicht erfassende Gruppe, in der die Schalter „%1“ an und „%2“ aus sind</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>A group of a kind ICU does not know</source>
        <translation>Eine Gruppe einer Art, die ICU nicht kennt</translation>
    </message>
    <message>
        <location line="+4"/>
        <source> — not closed</source>
        <translation> – nicht geschlossen</translation>
    </message>
    <message>
        <location line="+8"/>
        <source>zero or more times</source>
        <translation>null- oder mehrmals</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>one or more times</source>
        <translation>ein- oder mehrmals</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>optionally (zero or one time)</source>
        <translation>optional (null- oder einmal)</translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>at least %Ln time(s)</source>
        <translation>
            <numerusform>mindestens %Ln-mal</numerusform>
            <numerusform>mindestens %Ln-mal</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>exactly %Ln time(s)</source>
        <translation>
            <numerusform>genau %Ln-mal</numerusform>
            <numerusform>genau %Ln-mal</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+3"/>
        <source>%L1 to %Ln time(s)</source>
        <extracomment>The plural form follows the maximum, %n</extracomment>
        <translation>
            <numerusform>%L1- bis %Ln-mal</numerusform>
            <numerusform>%L1- bis %Ln-mal</numerusform>
        </translation>
    </message>
    <message>
        <location line="+4"/>
        <source>as many as possible, giving back as needed (greedy)</source>
        <translation>so oft wie möglich, bei Bedarf wieder abgegeben (gierig)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>as few as possible, taking more as needed (lazy)</source>
        <translation>so selten wie möglich, bei Bedarf mehr (genügsam)</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>as many as possible, never giving any back (possessive)</source>
        <translation>so oft wie möglich, ohne je etwas zurückzugeben (possessiv)</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Repeats nothing: there is nothing before it to repeat, %1</source>
        <translation>Wiederholt nichts: Davor steht nichts, was sich wiederholen ließe, %1</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>Repeats the item %1</source>
        <translation>Wiederholt das Element %1</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Repeats the item %1, %2</source>
        <extracomment>%1 is a count such as &quot;one or more times&quot;, %2 says greedy, lazy or possessive</extracomment>
        <translation>Wiederholt das Element %1, %2</translation>
    </message>
</context>
<context>
    <name>PatternExplanationModel</name>
    <message>
        <location filename="../src/core/pattern/PatternExplanationModel.cpp" line="+120"/>
        <source>Element</source>
        <extracomment>Column headers of the pattern explanation</extracomment>
        <translation>Element</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Meaning</source>
        <translation>Bedeutung</translation>
    </message>
</context>
<context>
    <name>PatternExplanationViewController</name>
    <message>
        <location filename="../src/gui/editor/PatternExplanationViewController.cpp" line="+30"/>
        <location line="+11"/>
        <source>Explanation</source>
        <extracomment>Title of the panel that explains the pattern element by element</extracomment>
        <translation>Erklärung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The elements of the pattern in plain words</source>
        <translation>Die Elemente des Musters in einfachen Worten</translation>
    </message>
    <message>
        <location line="+76"/>
        <source>%1 (%2)</source>
        <extracomment>In the pattern explanation: the reason and ICU&apos;s name of the error</extracomment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <location line="+55"/>
        <source>Highlight Group %1</source>
        <extracomment>Context menu of a capturing group in the pattern explanation</extracomment>
        <translation>Gruppe %1 hervorheben</translation>
    </message>
</context>
<context>
    <name>PatternTextView</name>
    <message>
        <location filename="../src/gui/editor/PatternTextView.cpp" line="+71"/>
        <source>Regular expression</source>
        <translation>Regulärer Ausdruck</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The pattern, coloured by the role of each token</source>
        <translation>Das Muster, eingefärbt nach der Rolle jedes Teils</translation>
    </message>
</context>
<context>
    <name>PreferencesViewController</name>
    <message>
        <location filename="../src/gui/settings/PreferencesViewController.cpp" line="+49"/>
        <source>System</source>
        <extracomment>Appearance choice that follows the desktop&apos;s light or dark style</extracomment>
        <translation>System</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Light</source>
        <translation>Hell</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Dark</source>
        <translation>Dunkel</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Light or dark colours, or as the desktop has them</source>
        <translation>Helle oder dunkle Farben oder wie auf dem Desktop eingestellt</translation>
    </message>
    <message>
        <location line="+9"/>
        <source>Basic</source>
        <extracomment>Kinds of regular-expression cheat sheet</extracomment>
        <translation>Grundlagen</translation>
    </message>
    <message>
        <location line="+0"/>
        <source>Advanced</source>
        <translation>Erweitert</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>How much the reference sheet beside the editor shows</source>
        <translation>Wie viel die Referenz neben dem Editor zeigt</translation>
    </message>
    <message>
        <location line="+4"/>
        <source> s</source>
        <extracomment>Unit after the time budget&apos;s number of seconds</extracomment>
        <translation> s</translation>
    </message>
    <message>
        <location line="+2"/>
        <location line="+10"/>
        <source>No limit</source>
        <extracomment>Time budget of 0 seconds
----------
Backtrack stack limit of 0 MB</extracomment>
        <translation>Kein Limit</translation>
    </message>
    <message>
        <location line="-9"/>
        <source>An evaluation that runs longer is stopped</source>
        <translation>Eine Auswertung, die länger dauert, wird gestoppt</translation>
    </message>
    <message>
        <location line="+7"/>
        <source> MB</source>
        <extracomment>Unit after the backtrack stack limit&apos;s number of megabytes</extracomment>
        <translation> MB</translation>
    </message>
    <message>
        <location line="+4"/>
        <source>Memory one match attempt may use for backtracking; a pattern that needs more fails to match</source>
        <translation>Speicher, den ein Suchversuch für Backtracking nutzen darf; ein Muster, das mehr braucht, scheitert</translation>
    </message>
    <message>
        <location line="+6"/>
        <source>Appearance:</source>
        <translation>Erscheinungsbild:</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Matching:</source>
        <translation>Suchoptionen:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Reference:</source>
        <translation>Referenz:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Time budget:</source>
        <translation>Zeitlimit:</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>Backtrack stack limit:</source>
        <translation>Backtracking-Speicher:</translation>
    </message>
</context>
<context>
    <name>PreferencesWindowController</name>
    <message>
        <location filename="../src/gui/settings/PreferencesWindowController.cpp" line="+19"/>
        <source>Preferences</source>
        <extracomment>Title of the preferences window</extracomment>
        <translation>Einstellungen</translation>
    </message>
</context>
<context>
    <name>RegularExpression</name>
    <message>
        <location filename="../src/core/evaluation/RegularExpression.cpp" line="+79"/>
        <source>unmatched closing parenthesis</source>
        <extracomment>Why a pattern is invalid</extracomment>
        <translation>schließende Klammer ohne öffnende</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a parenthesis is not closed</source>
        <extracomment>Why a pattern is invalid</extracomment>
        <translation>eine Klammer wird nicht geschlossen</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>the parentheses do not pair up</source>
        <extracomment>Why a pattern is invalid</extracomment>
        <translation>die Klammern passen nicht zueinander</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a character class is not closed with &quot;]&quot;</source>
        <extracomment>Why a pattern is invalid</extracomment>
        <translation>eine Zeichenklasse wird nicht mit „]“ geschlossen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>this is not valid syntax here</source>
        <extracomment>Why a pattern is invalid: e.g. &quot;*&quot; with nothing to repeat, &quot;(?z)&quot;</extracomment>
        <translation>das ist hier keine gültige Syntax</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>unknown or incomplete backslash escape</source>
        <extracomment>Why a pattern is invalid</extracomment>
        <translation>unbekannte oder unvollständige Escape-Sequenz</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>unknown or malformed Unicode property</source>
        <extracomment>Why a pattern is invalid: e.g. p{Foo}</extracomment>
        <translation>unbekannte oder fehlerhafte Unicode-Eigenschaft</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>this feature is not supported</source>
        <extracomment>Why a pattern is invalid</extracomment>
        <translation>diese Funktion wird nicht unterstützt</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the number is too large</source>
        <extracomment>Why a pattern is invalid</extracomment>
        <translation>die Zahl ist zu groß</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>malformed repetition count in braces</source>
        <extracomment>Why a pattern is invalid: a malformed {min,max}</extracomment>
        <translation>fehlerhafte Wiederholungsangabe in geschweiften Klammern</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>in {min,max} the maximum is less than the minimum</source>
        <extracomment>Why a pattern is invalid</extracomment>
        <translation>in {min,max} ist das Maximum kleiner als das Minimum</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>back reference to a group that does not exist</source>
        <extracomment>Why a pattern is invalid</extracomment>
        <translation>Rückverweis auf eine Gruppe, die es nicht gibt</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>unknown mode flag</source>
        <extracomment>Why a pattern is invalid: e.g. (?z)</extracomment>
        <translation>unbekannter Modus-Schalter</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a look-behind must have a bounded length</source>
        <extracomment>Why a pattern is invalid</extracomment>
        <translation>ein Lookbehind muss eine begrenzte Länge haben</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a character class cannot contain strings</source>
        <extracomment>Why a pattern is invalid</extracomment>
        <translation>eine Zeichenklasse kann keine Zeichenketten enthalten</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>a range in a character class runs backwards</source>
        <extracomment>Why a pattern is invalid: e.g. [z-a]</extracomment>
        <translation>ein Bereich in einer Zeichenklasse verläuft rückwärts</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the pattern is too large or complex</source>
        <extracomment>Why a pattern is invalid</extracomment>
        <translation>das Muster ist zu groß oder zu komplex</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>unknown, repeated or malformed group name</source>
        <extracomment>Why a pattern is invalid: e.g. k&lt;x&gt; without such a group, or a name used twice</extracomment>
        <translation>unbekannter, doppelter oder fehlerhafter Gruppenname</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>unknown character name</source>
        <extracomment>Why a pattern is invalid: e.g. N{NO SUCH NAME}</extracomment>
        <translation>unbekannter Zeichenname</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>not enough memory to compile it</source>
        <extracomment>Why a pattern is invalid</extracomment>
        <translation>nicht genug Speicher, um es zu kompilieren</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the engine rejects it</source>
        <extracomment>Why a pattern is invalid, when the engine gives no known reason</extracomment>
        <translation>die Regex-Engine weist es zurück</translation>
    </message>
    <message>
        <location line="+56"/>
        <source>the pattern needs more backtracking memory than the backtrack stack limit allows</source>
        <extracomment>Why matching failed</extracomment>
        <translation>das Muster braucht mehr Backtracking-Speicher, als das Limit erlaubt</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the engine&apos;s time limit ran out</source>
        <extracomment>Why matching failed</extracomment>
        <translation>das Zeitlimit der Regex-Engine ist abgelaufen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the engine ran out of memory</source>
        <extracomment>Why matching failed</extracomment>
        <translation>der Regex-Engine ist der Speicher ausgegangen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the text is too long for the engine</source>
        <extracomment>Why matching failed: beyond the engine&apos;s 32-bit offsets</extracomment>
        <translation>der Text ist zu lang für die Regex-Engine</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>the engine reported an error</source>
        <extracomment>Why matching failed, when the engine gives no known reason</extracomment>
        <translation>die Regex-Engine hat einen Fehler gemeldet</translation>
    </message>
</context>
<context>
    <name>SingleInstanceChannel</name>
    <message>
        <location filename="../src/core/platform/SingleInstanceChannel.cpp" line="+104"/>
        <source>nothing listens at %1</source>
        <extracomment>Why a running Quorvale was not reached; %1 is a socket&apos;s path</extracomment>
        <translation>an %1 wartet niemand</translation>
    </message>
    <message>
        <location line="+15"/>
        <source>it did not answer</source>
        <extracomment>Why a running Quorvale was not reached</extracomment>
        <translation>es kam keine Antwort</translation>
    </message>
</context>
<context>
    <name>Substitution</name>
    <message>
        <location filename="../src/core/evaluation/Substitution.cpp" line="+153"/>
        <source>The replacement refers to group %1, but the pattern has no groups</source>
        <translation>Die Ersetzung verweist auf Gruppe %1, aber das Muster hat keine Gruppen</translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>The replacement refers to group %1, but the pattern has only %Ln group(s)</source>
        <translation>
            <numerusform>Die Ersetzung verweist auf Gruppe %1, aber das Muster hat nur %Ln Gruppe</numerusform>
            <numerusform>Die Ersetzung verweist auf Gruppe %1, aber das Muster hat nur %Ln Gruppen</numerusform>
        </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The replacement refers to the group name &quot;%1&quot;, but the pattern has no group of that name</source>
        <translation>Die Ersetzung verweist auf den Gruppennamen „%1“, aber das Muster hat keine Gruppe dieses Namens</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>&quot;${&quot; in the replacement must be followed by a group name of letters and digits and &quot;}&quot;</source>
        <translation>Auf „${“ muss in der Ersetzung ein Gruppenname aus Buchstaben und Ziffern und „}“ folgen</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>&quot;$&quot; in the replacement must be followed by a group number or {name}; write \$ for a dollar sign</source>
        <translation>Auf „$“ muss in der Ersetzung eine Gruppennummer oder {Name} folgen; schreiben Sie \$ für ein Dollarzeichen</translation>
    </message>
    <message>
        <location line="+3"/>
        <source>The replacement ends with a lone backslash; write \\ for a backslash</source>
        <translation>Die Ersetzung endet mit einem einzelnen Backslash; schreiben Sie \\ für einen Backslash</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>The text is too long to replace in</source>
        <translation>Der Text ist zu lang, um darin zu ersetzen</translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>The result would be longer than %Ln character(s)</source>
        <translation>
            <numerusform>Das Ergebnis wäre länger als %Ln Zeichen</numerusform>
            <numerusform>Das Ergebnis wäre länger als %Ln Zeichen</numerusform>
        </translation>
    </message>
    <message>
        <location line="+4"/>
        <source>The preview failed: %1 (%2). The limit can be raised in Preferences.</source>
        <extracomment>%1 says why, %2 is the engine&apos;s error code</extracomment>
        <translation>Die Vorschau ist fehlgeschlagen: %1 (%2). Das Limit lässt sich in den Einstellungen erhöhen.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>The preview failed: %1 (%2).</source>
        <extracomment>%1 says why, %2 is the engine&apos;s error code</extracomment>
        <translation>Die Vorschau ist fehlgeschlagen: %1 (%2).</translation>
    </message>
</context>
<context>
    <name>SubstitutionViewController</name>
    <message>
        <location filename="../src/gui/editor/SubstitutionViewController.cpp" line="+37"/>
        <source>Replacement</source>
        <translation>Ersetzung</translation>
    </message>
    <message>
        <location line="+2"/>
        <source>Replacement ($1, ${name})</source>
        <extracomment>Placeholder of the replacement template field</extracomment>
        <translation>Ersetzung ($1, ${name})</translation>
    </message>
    <message>
        <location line="+19"/>
        <source>Substitution result</source>
        <translation>Ergebnis der Ersetzung</translation>
    </message>
    <message>
        <location line="+1"/>
        <source>The sample text with every match replaced</source>
        <translation>Der Beispieltext mit allen Treffern ersetzt</translation>
    </message>
    <message>
        <location line="+114"/>
        <source>no replacements</source>
        <extracomment>Below the replacement field: the pattern found nothing to replace</extracomment>
        <translation>keine Ersetzungen</translation>
    </message>
    <message numerus="yes">
        <location line="+3"/>
        <source>%Ln replacement(s)</source>
        <extracomment>Below the replacement field: the number of matches replaced</extracomment>
        <translation>
            <numerusform>%Ln Ersetzung</numerusform>
            <numerusform>%Ln Ersetzungen</numerusform>
        </translation>
    </message>
    <message>
        <location line="+3"/>
        <source>; the preview shows the first %L1 of %L2 characters, Copy Substitution Result copies all</source>
        <extracomment>Appended to the replacement count when the preview is cut; the numbers count UTF-16 units</extracomment>
        <translation>; die Vorschau zeigt die ersten %L1 von %L2 Zeichen, „Ersetzungsergebnis kopieren“ kopiert alles</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <location filename="../src/main.cpp" line="+38"/>
        <source>Quorvale is running but did not answer within %1 seconds (%2). If its window does not respond, quit it and start Quorvale again.</source>
        <extracomment>%1 is a number of seconds, %2 the system&apos;s reason</extracomment>
        <translation>Quorvale läuft, hat aber nicht innerhalb von %1 Sekunden geantwortet (%2). Wenn sein Fenster nicht reagiert, beenden Sie es und starten Sie Quorvale erneut.</translation>
    </message>
    <message>
        <location line="+7"/>
        <source>Quorvale is running but could not be reached: %1.</source>
        <extracomment>%1 is the system&apos;s reason</extracomment>
        <translation>Quorvale läuft, ist aber nicht erreichbar: %1.</translation>
    </message>
    <message>
        <location line="+25"/>
        <source>A workbench for regular expressions: matches are painted into the sample text as you type.</source>
        <translation>Eine Werkbank für reguläre Ausdrücke: Treffer werden schon beim Tippen im Beispieltext markiert.</translation>
    </message>
    <message>
        <location line="+5"/>
        <source>Expression files to import into the library.</source>
        <translation>Dateien mit Ausdrücken, die in die Bibliothek importiert werden.</translation>
    </message>
</context>
</TS>
