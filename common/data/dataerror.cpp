#include "dataerror.h"

#include "plaatsen.h"

namespace velmora {

QString DataError::message() const
{
    const QString where = line > 0 ? QStringLiteral("Regel %1 van het bestand \"%2\"").arg(line).arg(file)
                                   : QStringLiteral("Het bestand \"%1\"").arg(file);
    QString text;
    switch (kind) {
    case Kind::Missing:
        text = QStringLiteral("Het bestand \"%1\" is niet gevonden.").arg(file);
        break;
    case Kind::Unreadable:
        text = QStringLiteral("Het bestand \"%1\" kan niet worden gelezen.").arg(file);
        break;
    case Kind::Malformed:
        text = where + QStringLiteral(" is onleesbaar of beschadigd.");
        break;
    case Kind::TooManyItems:
        text = QStringLiteral("Het bestand \"%1\" bevat meer dan %2 onderdelen.")
                   .arg(file, QString::number(Plaatsen::Capacity));
        break;
    case Kind::NotEncodable:
        text = QStringLiteral("De tekst bevat een teken dat niet kan worden opgeslagen in \"%1\".").arg(file);
        break;
    case Kind::WriteFailed:
        text =
            QStringLiteral("Het bestand \"%1\" kon niet worden opgeslagen. Er is niets veranderd.").arg(file);
        break;
    case Kind::RecordChanged:
        text = QStringLiteral("De lijst in \"%1\" is intussen door iemand anders gewijzigd. Er is niets "
                              "veranderd. Kijk in de bijgewerkte lijst en probeer het opnieuw.")
                   .arg(file);
        break;
    case Kind::NotRegular:
        text = QStringLiteral(
                   "\"%1\" is geen gewoon bestand (maar bijvoorbeeld een map of een apparaat) en wordt "
                   "daarom niet gebruikt.")
                   .arg(file);
        break;
    case Kind::Link:
        text =
            QStringLiteral("Het bestand \"%1\" is een koppeling (link) naar een ander bestand. Daarin wordt "
                           "niet geschreven; er is niets veranderd.")
                .arg(file);
        break;
    case Kind::NoRights:
        text = QStringLiteral("U heeft geen recht om het bestand \"%1\" te wijzigen. Er is niets veranderd.")
                   .arg(file);
        break;
    case Kind::NoLock:
        text = QStringLiteral("Het bestand \"%1\" kan op deze schijf niet worden vergrendeld. Zonder "
                              "vergrendeling wordt er niet geschreven, zodat niemand anders werk kwijtraakt; "
                              "er is niets veranderd.")
                   .arg(file);
        break;
    case Kind::Busy:
        text = QStringLiteral("Een andere computer is bezig met het bestand \"%1\". Er is niets veranderd. "
                              "Probeer het over een ogenblik opnieuw.")
                   .arg(file);
        break;
    case Kind::Replaced:
        text = QStringLiteral("Het bestand \"%1\" is vervangen of verwijderd terwijl het programma liep. Er "
                              "is niets in geschreven. Start het programma opnieuw.")
                   .arg(file);
        break;
    case Kind::TooLarge:
        text = QStringLiteral("Het bestand \"%1\" is te groot om te lezen.").arg(file);
        break;
    case Kind::UnusableName:
        text = QStringLiteral("De naam \"%1\" is geen geldige bestandsnaam in de programmamap.").arg(file);
        break;
    }
    if (!detail.isEmpty())
        text += QStringLiteral(" (") + detail + u')';
    return text;
}

} // namespace velmora
