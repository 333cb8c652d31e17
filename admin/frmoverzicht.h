#pragma once

#include "placeoverview.h"

#include <QDate>
#include <QDialog>

#include <functional>

class QCheckBox;
class QComboBox;
class QTableWidget;
class QPrinter;

namespace korveladmin {

// "Overzicht per plaats": for one map and level, which places the class
// misses most, and each pupil's tests with their dates and scores.
class frmOverzicht : public QDialog
{
    Q_OBJECT
public:
    // `today` decides what "Vandaag", "Deze week" and "Deze maand" mean.
    explicit frmOverzicht(std::function<QDate()> today, QWidget* parent = nullptr);

private Q_SLOTS:
    void recount();
    void printOverview();

private:
    velmora::PlaceOverview::Filter filter() const;
    bool paint(QPrinter& printer) const;

    std::function<QDate()> m_today;
    QByteArray m_answers;
    QComboBox* m_kaart;
    QComboBox* m_niveau;
    QCheckBox* m_toetsen;
    QComboBox* m_leerling;
    QComboBox* m_periode;
    QTableWidget* m_plaatsen;
    QTableWidget* m_tests;
};

} // namespace korveladmin
