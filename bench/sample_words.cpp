#include "sample_words.h"

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "shell/text.h"

namespace tabulor::bench {

namespace {

// The samples are written in UTF-8 for legibility. A character that Windows-1252 cannot hold,
// or bytes that are not UTF-8, come out as "?": a typo in a list must not go unnoticed.
TWords Convert(std::initializer_list<std::string_view> utf8Words)
{
    TWords words;
    for (std::string_view word : utf8Words) {
        std::string bytes = ToWindows1252(FromUtf8(word));
        if (bytes.find('?') != word.find('?'))
            throw std::invalid_argument("not representable in Windows-1252: " + std::string(word));
        words.push_back(std::move(bytes));
    }
    return words;
}

}  // namespace

const TWords& InvoiceHeaders()
{
    static const TWords words = Convert({
        "Référence", "Date", "Société", "Contact", "Ville", "Code postal", "Quantité",
        "Prix unitaire", "Montant HT", "TVA", "Montant TTC", "Commentaire",
    });
    return words;
}

const TWords& CompanyNames()
{
    static const TWords words = Convert({
        "Société Générale de Négoce", "Boulangerie Pâtissière Lefèvre", "Électricité & Gaz du Rhône",
        "Château Lafitte & Fils", "Café de l'Hôtel de Ville", R"("""Les Délices d'Anaïs""")",
        "Crème & Crêpes SARL", "Menuiserie Côté Bois", "Garage du Doubs", "Bijouterie Œil d'Or",
        "Librairie « Le Bouquin »", "Ets Müller <Strasbourg>", "SA Dupont", "Transports Gérard et Fils",
        "Pharmacie Saint-Éloi", "Cabinet Noël Fournier", "Fromagerie Comté Réunie", "Atelier Ça Roule",
    });
    return words;
}

const TWords& FirstNames()
{
    static const TWords words = Convert({
        "François", "Hélène", "Jérôme", "Cécile", "Noël", "Agnès", "Loïc", "Zoé", "Benoît",
        "Marie-Thérèse", "Jean", "Anne", "Gaëlle", "Frédéric",
    });
    return words;
}

const TWords& LastNames()
{
    static const TWords words = Convert({
        "Dupré", "Lefèvre", "Bénard", "Mercier", "Gagné", "Hébert", "Caron", "Lemaître", "Faure",
        "Rivière", "Martin", "Prud'homme",
    });
    return words;
}

const TWords& Cities()
{
    static const TWords words = Convert({
        "Paris", "Besançon", "Orléans", "Nîmes", "Saint-Étienne", "Aix-en-Provence", "Lyon",
        "Angoulême", "Sète", "Brive-la-Gaillarde", "Évry", "Épinal", "Châlons-en-Champagne", "Lille",
    });
    return words;
}

const TWords& InvoiceComments()
{
    static const TWords words = Convert({
        "Payé par chèque", "À relancer", "Remise 10 % accordée",
        R"("Livraison ""express"" demandée")", "Colis abîmé – avoir émis", "Facture réglée le 02/05",
        "Voir bon n° 4512", "Client fidèle ; tarif préférentiel", "Œuvres d'art — fragile",
        "Acompte versé : 30 %", "Échéance < 30 jours", "TVA non applicable, art. 293 B du CGI",
    });
    return words;
}

const TWords& ShortCells()
{
    static const TWords words = Convert({
        "", "", "", "0", "1", "12", "3,5", "x", "oui", "non", "é", "à", "ça", "7 €", "-2", "A",
        "ok", "<1", "n°3", "45",
    });
    return words;
}

const TWords& AsciiCompanyNames()
{
    static const TWords words = Convert({
        "Acme Corporation", "Globex", "Initech", "Umbrella Ltd", "Stark Industries", "Wayne Holdings",
        "Hooli", "Vandelay Imports", "Soylent Foods", "Tyrell Systems",
    });
    return words;
}

const TWords& AsciiCities()
{
    static const TWords words = Convert({
        "Paris", "Lyon", "Lille", "Nantes", "Rennes", "Toulouse", "Bordeaux", "Strasbourg",
        "Marseille", "Dijon",
    });
    return words;
}

const TWords& AsciiComments()
{
    static const TWords words = Convert({
        "", "", "", "", "Paid by cheque", "Call back", "Discount 10 percent", "Express delivery",
        "Settled on 05/02", "See order 4512",
    });
    return words;
}

}  // namespace tabulor::bench
