#pragma once
// A window loaded on first show (its Form_Load runs then) and unloaded by its close box or by
// its own code (its Form_Unload runs then); the next show loads it again. The object itself is
// the window's one instance and outlives the unloads.
#include "platform/Dialogues.h"

#include <QCloseEvent>
#include <QWidget>

class Fenetre_Chargee : public QWidget {
public:
    bool estChargee() const { return charge_; }

    // Runs Form_Load when the window is not loaded yet. A Form_Load that throws leaves it
    // unloaded.
    void charger()
    {
        if (charge_)
            return;
        plateforme::boutonsAuClavier(this);
        Form_Load();
        charge_ = true;
    }

    // Unload asked by the window's own code: Form_Unload, then the window disappears.
    void decharger()
    {
        if (!charge_) {
            hide();
            return;
        }
        if (!Form_Unload())
            return;
        charge_ = false;
        hide();
    }

protected:
    explicit Fenetre_Chargee(const QString& nom)
    {
        setObjectName(nom);
        setAttribute(Qt::WA_DeleteOnClose, false);
    }

    virtual void Form_Load() = 0;
    // Returns false to keep the window loaded and open.
    virtual bool Form_Unload() { return true; }

    void closeEvent(QCloseEvent* e) override
    {
        if (charge_ && !Form_Unload()) {
            e->ignore();
            return;
        }
        charge_ = false;
        e->accept();
    }

private:
    bool charge_ = false;
};

// The one instance of a window class, made on first use. The class declares
// `friend class Instance_Unique<Classe>;` so that its constructor can stay private.
template <class T>
class Instance_Unique {
public:
    static T& instance()
    {
        if (!s_instance)
            s_instance = new T();
        return *s_instance;
    }
    // Loads the window when needed (its Form_Load runs then) and shows it; a modal show
    // returns when the window is closed.
    static T& afficher(bool modal)
    {
        T& f = instance();
        f.charger();
        if (modal)
            plateforme::montrerModal(&f);
        else
            plateforme::montrer(&f);
        return f;
    }
    // The instance when it was made, null otherwise.
    static T* existante() { return s_instance; }
    // Tests: forget the instance (it is deleted).
    static void detruireInstance()
    {
        delete s_instance;
        s_instance = nullptr;
    }

private:
    inline static T* s_instance = nullptr;
};
