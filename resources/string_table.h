// The program's own texts, in UTF-8, under the numbers the Windows string table gives them.
#pragma once

#include <string_view>

namespace tabulor::strings {

// 65315: the document's language code.
inline constexpr std::string_view SDocumentLanguage = "fr";
// 65316: the page title; the entity is part of the text and is written as it stands.
inline constexpr std::string_view SDocumentTitle = "Tableau import&eacute; depuis Excel";
// 65317: the notice after a successful conversion.
inline constexpr std::string_view SFileCreated = "Le fichier a été correctement créé";
// 65370: the notice's button.
inline constexpr std::string_view SOk = "OK";
// 65430 and 65429: the first %s is the file's full path, the second the system's text.
inline constexpr std::string_view SFOpenError = "Impossible d'ouvrir le fichier \"%s\". %s";
inline constexpr std::string_view SFCreateError = "Impossible de créer le fichier \"%s\". %s";
// 65417
inline constexpr std::string_view SWriteError = "Erreur d'écriture dans le flux";
// The source is not text of its encoding: its full path, the encoding's name, the line.
inline constexpr std::string_view SMalformedText = "Le fichier \"%s\" n'est pas un texte %s valide à la ligne %d";
// A quoted field still open at the end: the source's full path, the line where it began.
inline constexpr std::string_view SUnclosedQuote = "Le fichier \"%s\" a un guillemet non fermé à la ligne %d";
// A workbook that cannot be read: its full path.
inline constexpr std::string_view SInvalidWorkbook = "Le fichier \"%s\" n'est pas un classeur valide";
inline constexpr std::string_view SUnsupportedWorkbook =
    "Le fichier \"%s\" est un classeur .xls ou .xlsb, ou protégé par un mot de passe : "
    "enregistrez-le au format .xlsx ou .ods sans mot de passe";
// The workbook's full path, the sheet's name.
inline constexpr std::string_view SMissingSheet = "Le classeur \"%s\" n'a pas de feuille « %s »";
// The sheet's name, its rows and columns.
inline constexpr std::string_view STooLargeSheet =
    "La feuille « %s » est trop grande pour un tableau : %d lignes sur %d colonnes";
// The notice's second line after a workbook whose formula cells had no stored value: their count.
inline constexpr std::string_view SFormulasWithoutValue =
    "%d cellules à formule sans valeur enregistrée sont restées vides : ouvrez et enregistrez le "
    "classeur dans son tableur pour les calculer.";
inline constexpr std::string_view SFormulaWithoutValue =
    "1 cellule à formule sans valeur enregistrée est restée vide : ouvrez et enregistrez le "
    "classeur dans son tableur pour la calculer.";

// The notice's line after a workbook whose hidden rows or columns were left out: the rows, the
// columns or both (joined by SAnd) make the sentence's subject.
inline constexpr std::string_view SHiddenRow = "1 ligne masquée";
inline constexpr std::string_view SHiddenRows = "%d lignes masquées";
inline constexpr std::string_view SHiddenCol = "1 colonne masquée";
inline constexpr std::string_view SHiddenCols = "%d colonnes masquées";
inline constexpr std::string_view SAnd = " et ";
inline constexpr std::string_view SHiddenLeftOutOne = "%s n'a pas été reprise.";
inline constexpr std::string_view SHiddenLeftOutMany = "%s n'ont pas été reprises.";

}  // namespace tabulor::strings
