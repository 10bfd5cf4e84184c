; heredoc.lex - the words of a shell-like command language with
; here-documents.
;
; "cat <<END" starts a here-document: the rest of the command line is scanned
; as usual (PENDING, inclusive), and from the next line on every line is the
; document's text (BODY, exclusive) up to the line that holds only the word
; END. Double-quoted strings (QUOTED) and command substitutions "$( ... )"
; (SUBST) nest inside each other and inside a document's text: each is
; entered with yyPushState and left with yyPopState, which returns to the
; state it was entered from. A document ends the same way, so one that starts
; inside a command substitution goes back to it.
%context
%state PENDING SUBST
%xstate BODY QUOTED
Enumeration 1
  #yyTokenWord
  #yyTokenVariable
  #yyTokenOperator
  #yyTokenNewline
  #yyTokenHereDocument
  #yyTokenText
  #yyTokenEndOfDocument
  #yyTokenQuote
  #yyTokenOpenSubstitution
  #yyTokenCloseSubstitution
  #yyTokenUnterminated
EndEnumeration
; The word that ends the here-document being read.
Global hereWord.s
%%
"<<"[A-Za-z_][A-Za-z0-9_]*  {
  hereWord = Mid(yyText(), 3)
  yyPushState(#yyStatePENDING)
  ProcedureReturn §HereDocument
}
<PENDING>\n  { yyBegin(#yyStateBODY) : ProcedureReturn §Newline }
; A line of one word is the end only when it is the document's word; the line
; break after it is scanned in the state the document began in.
<BODY>^[A-Za-z_][A-Za-z0-9_]*$  {
  If yyText() = hereWord
    yyPopState()
    ProcedureReturn §EndOfDocument
  EndIf
  ProcedureReturn §Text
}
<BODY,QUOTED>"$"[A-Za-z_][A-Za-z0-9_]*  { ProcedureReturn §Variable }
<BODY,QUOTED>"$("  { yyPushState(#yyStateSUBST) : ProcedureReturn §OpenSubstitution }
<BODY>[^$\n]+|"$"|\n  { ProcedureReturn §Text }
<BODY><<EOF>>  { ProcedureReturn §Unterminated }
\"  { yyPushState(#yyStateQUOTED) : ProcedureReturn §Quote }
<QUOTED>\"  { yyPopState() : ProcedureReturn §Quote }
<QUOTED>[^"\\$]+|\\[$"\\]|"\"|"$"  { ProcedureReturn §Text }
<QUOTED><<EOF>>  { ProcedureReturn §Unterminated }
"$("  { yyPushState(#yyStateSUBST) : ProcedureReturn §OpenSubstitution }
<SUBST>")"  { yyPopState() : ProcedureReturn §CloseSubstitution }
"$"[A-Za-z_][A-Za-z0-9_]*  { ProcedureReturn §Variable }
"|"|"||"|"&"|"&&"|";"|"<"|">"|">>"  { ProcedureReturn §Operator }
[A-Za-z0-9_./=:,+%@-]+  { ProcedureReturn §Word }
[ \t]+  { }
\n  { ProcedureReturn §Newline }
<<EOF>>  { ProcedureReturn §<EOF> }
%%
