#pragma once
// The small "Chargement Fichier" window shown while a log is loaded.
#include <QWidget>

class QGroupBox;
class QLabel;

class Chargement : public QWidget {
    Q_OBJECT
public:
    static Chargement& instance();
    static void detruireInstance();
    void Form_Load();

    QGroupBox* Frame1 = nullptr;
    QLabel* Label1 = nullptr;

private:
    Chargement();
    static Chargement* s_instance;
};
