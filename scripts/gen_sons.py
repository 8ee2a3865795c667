#!/usr/bin/env python3
"""Writes the three short alert sounds of the cluster window into templates/.

ringin.wav: two low tones (the spot site did not answer);
ringout.wav: one short high tone (a spot passed a filter);
tada.wav: a rising three-note chord (the fetch failed).
"""
import math
import os
import struct
import wave

TAUX = 11025


def tonalite(frequences, duree, volume=0.5):
    n = int(TAUX * duree)
    echantillons = []
    for i in range(n):
        t = i / TAUX
        # Short fade in and out so that no click is heard.
        enveloppe = min(1.0, i / (0.005 * TAUX), (n - i) / (0.02 * TAUX))
        v = sum(math.sin(2 * math.pi * f * t) for f in frequences) / len(frequences)
        echantillons.append(int(32767 * volume * enveloppe * v))
    return echantillons


def silence(duree):
    return [0] * int(TAUX * duree)


def ecrire(nom, echantillons):
    chemin = os.path.join(os.path.dirname(__file__), "..", "templates", nom)
    with wave.open(chemin, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(TAUX)
        w.writeframes(b"".join(struct.pack("<h", s) for s in echantillons))


ecrire("ringin.wav", tonalite([440], 0.12) + silence(0.06) + tonalite([349], 0.18))
ecrire("ringout.wav", tonalite([1320], 0.08))
ecrire("tada.wav", tonalite([523], 0.1) + tonalite([523, 659], 0.1) + tonalite([523, 659, 784], 0.3))
