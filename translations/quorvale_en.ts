<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ActiveGroupController</name>
    <message numerus="yes">
        <location filename="../src/core/evaluation/ActiveGroupController.cpp" line="+52"/>
        <source>%Ln match(es)</source>
        <extracomment>Appended to the information line: how many matches the pattern found</extracomment>
        <translation>
            <numerusform>%Ln match</numerusform>
            <numerusform>%Ln matches</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>AppDelegate</name>
    <message numerus="yes">
        <location filename="../src/gui/app/AppDelegate.cpp" line="+224"/>
        <source>%Ln expression(s) was/were recovered.</source>
        <translation>
            <numerusform>%Ln expression was recovered.</numerusform>
            <numerusform>%Ln expressions were recovered.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>EvaluationStatusRow</name>
    <message numerus="yes">
        <location filename="../src/gui/editor/EvaluationStatusRow.cpp" line="+204"/>
        <source>%Ln match(es)</source>
        <extracomment>Result line: how many matches the pattern found</extracomment>
        <translation>
            <numerusform>%Ln match</numerusform>
            <numerusform>%Ln matches</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+100"/>
        <source>%Ln match(es) was/were found before it and is/are not shown.</source>
        <extracomment>After a failed evaluation; the matches are not painted</extracomment>
        <translation>
            <numerusform>%Ln match was found before it and is not shown.</numerusform>
            <numerusform>%Ln matches were found before it and are not shown.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>ExpressionTestsViewController</name>
    <message numerus="yes">
        <location filename="../src/gui/editor/ExpressionTestsViewController.cpp" line="+289"/>
        <source>%1 of %Ln test(s) fail.</source>
        <translation>
            <numerusform>%1 of %Ln test fails.</numerusform>
            <numerusform>%1 of %Ln tests fail.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>JsonStore</name>
    <message numerus="yes">
        <location filename="../src/core/library/JsonStore.cpp" line="+247"/>
        <source>it has %1 of %n entry(s) that cannot be read (%2)</source>
        <extracomment>Completes &quot;The library file could not be read: &quot;; %2 names the first bad entry and what is wrong with it</extracomment>
        <translation>
            <numerusform>it has %1 of %n entry that cannot be read (%2)</numerusform>
            <numerusform>it has %1 of %n entries that cannot be read (%2)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>LibraryViewController</name>
    <message numerus="yes">
        <location filename="../src/gui/library/LibraryViewController.cpp" line="+286"/>
        <source>Imported %n expressions from %1.</source>
        <extracomment>%1 is a file</extracomment>
        <translation>
            <numerusform>Imported %n expression from %1.</numerusform>
            <numerusform>Imported %n expressions from %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+5"/>
        <source>%n were renamed, as the library already had their names.</source>
        <translation>
            <numerusform>%n was renamed, as the library already had its name.</numerusform>
            <numerusform>%n were renamed, as the library already had their names.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>MatchInspectorViewController</name>
    <message numerus="yes">
        <location filename="../src/gui/editor/MatchInspectorViewController.cpp" line="+134"/>
        <source>%Ln match(es)</source>
        <extracomment>Above the match inspector: the number of matches</extracomment>
        <translation>
            <numerusform>%Ln match</numerusform>
            <numerusform>%Ln matches</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+3"/>
        <source>%Ln match(es), the first %L1 listed</source>
        <extracomment>Above the match inspector: the number of matches, and how many of them it lists</extracomment>
        <translation>
            <numerusform>%Ln match, the first %L1 listed</numerusform>
            <numerusform>%Ln matches, the first %L1 listed</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>PatternExplanation</name>
    <message numerus="yes">
        <location filename="../src/core/pattern/PatternExplanation.cpp" line="+134"/>
        <source>The pattern is too long to explain here (more than %Ln character(s))</source>
        <extracomment>In the explanation panel, for a pattern too long to explain</extracomment>
        <translation>
            <numerusform>The pattern is too long to explain here (more than %Ln character)</numerusform>
            <numerusform>The pattern is too long to explain here (more than %Ln characters)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+23"/>
        <source>Either of %n alternatives, tried from left to right; the first that matches wins</source>
        <translation>
            <numerusform>Either of %n alternatives, tried from left to right; the first that matches wins</numerusform>
            <numerusform>Either of %n alternatives, tried from left to right; the first that matches wins</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+253"/>
        <source>at least %Ln time(s)</source>
        <translation>
            <numerusform>at least %Ln time</numerusform>
            <numerusform>at least %Ln times</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+2"/>
        <source>exactly %Ln time(s)</source>
        <translation>
            <numerusform>exactly %Ln time</numerusform>
            <numerusform>exactly %Ln times</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+3"/>
        <source>%L1 to %Ln time(s)</source>
        <extracomment>The plural form follows the maximum, %n</extracomment>
        <translation>
            <numerusform>%L1 to %Ln time</numerusform>
            <numerusform>%L1 to %Ln times</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>Substitution</name>
    <message numerus="yes">
        <location filename="../src/core/evaluation/Substitution.cpp" line="+154"/>
        <source>The replacement refers to group %1, but the pattern has only %Ln group(s)</source>
        <translation>
            <numerusform>The replacement refers to group %1, but the pattern has only %Ln group</numerusform>
            <numerusform>The replacement refers to group %1, but the pattern has only %Ln groups</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+15"/>
        <source>The result would be longer than %Ln character(s)</source>
        <translation>
            <numerusform>The result would be longer than %Ln character</numerusform>
            <numerusform>The result would be longer than %Ln characters</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SubstitutionViewController</name>
    <message numerus="yes">
        <location filename="../src/gui/editor/SubstitutionViewController.cpp" line="+176"/>
        <source>%Ln replacement(s)</source>
        <extracomment>Below the replacement field: the number of matches replaced</extracomment>
        <translation>
            <numerusform>%Ln replacement</numerusform>
            <numerusform>%Ln replacements</numerusform>
        </translation>
    </message>
</context>
</TS>
