#!/usr/bin/env python3
"""Generates the blank award-status templates shipped in templates/.

    python3 scripts/gen_templates.py [output_dir]

Writes FXXXX_Departement.txt, FXXXX_Locator.txt, FXXXX_Prefixe.txt and an
empty Nomenclature.txt (default output: templates/ next to this script's
parent). Files are Windows-1252 with CR LF line ends; every status column
starts at "0".

Prefix file rule (as read by the program): the key is columns 1-5 trimmed,
a callsign belongs to the FIRST line whose key begins the callsign. Lines are
therefore sorted by key, a key always standing before any shorter key that
begins it (EA8 before EA, FG before F, KH6 before K...).
"""

import os
import string
import sys

DIGITS = string.digits
LETTERS = string.ascii_uppercase
ALNUM = DIGITS + LETTERS

BANDS = 17          # 1.8 MHz .. 24 GHz
LOCATOR_BANDS = 8   # 50 MHz .. 24 GHz

# --------------------------------------------------------------------------
# Departments of metropolitan France (Corsica as 96 / 97).
DEPARTEMENTS = [
    ("01", "Ain"), ("02", "Aisne"), ("03", "Allier"),
    ("04", "Alpes-de-Haute-Provence"), ("05", "Hautes-Alpes"),
    ("06", "Alpes-Maritimes"), ("07", "Ardèche"), ("08", "Ardennes"),
    ("09", "Ariège"), ("10", "Aube"), ("11", "Aude"), ("12", "Aveyron"),
    ("13", "Bouches-du-Rhône"), ("14", "Calvados"), ("15", "Cantal"),
    ("16", "Charente"), ("17", "Charente-Maritime"), ("18", "Cher"),
    ("19", "Corrèze"), ("21", "Côte-d'Or"), ("22", "Côtes-d'Armor"),
    ("23", "Creuse"), ("24", "Dordogne"), ("25", "Doubs"), ("26", "Drôme"),
    ("27", "Eure"), ("28", "Eure-et-Loir"), ("29", "Finistère"),
    ("30", "Gard"), ("31", "Haute-Garonne"), ("32", "Gers"),
    ("33", "Gironde"), ("34", "Hérault"), ("35", "Ille-et-Vilaine"),
    ("36", "Indre"), ("37", "Indre-et-Loire"), ("38", "Isère"),
    ("39", "Jura"), ("40", "Landes"), ("41", "Loir-et-Cher"),
    ("42", "Loire"), ("43", "Haute-Loire"), ("44", "Loire-Atlantique"),
    ("45", "Loiret"), ("46", "Lot"), ("47", "Lot-et-Garonne"),
    ("48", "Lozère"), ("49", "Maine-et-Loire"), ("50", "Manche"),
    ("51", "Marne"), ("52", "Haute-Marne"), ("53", "Mayenne"),
    ("54", "Meurthe-et-Moselle"), ("55", "Meuse"), ("56", "Morbihan"),
    ("57", "Moselle"), ("58", "Nièvre"), ("59", "Nord"), ("60", "Oise"),
    ("61", "Orne"), ("62", "Pas-de-Calais"), ("63", "Puy-de-Dôme"),
    ("64", "Pyrénées-Atlantiques"), ("65", "Hautes-Pyrénées"),
    ("66", "Pyrénées-Orientales"), ("67", "Bas-Rhin"), ("68", "Haut-Rhin"),
    ("69", "Rhône"), ("70", "Haute-Saône"), ("71", "Saône-et-Loire"),
    ("72", "Sarthe"), ("73", "Savoie"), ("74", "Haute-Savoie"),
    ("75", "Paris"), ("76", "Seine-Maritime"), ("77", "Seine-et-Marne"),
    ("78", "Yvelines"), ("79", "Deux-Sèvres"), ("80", "Somme"),
    ("81", "Tarn"), ("82", "Tarn-et-Garonne"), ("83", "Var"),
    ("84", "Vaucluse"), ("85", "Vendée"), ("86", "Vienne"),
    ("87", "Haute-Vienne"), ("88", "Vosges"), ("89", "Yonne"),
    ("90", "Territoire de Belfort"), ("91", "Essonne"),
    ("92", "Hauts-de-Seine"), ("93", "Seine-Saint-Denis"),
    ("94", "Val-de-Marne"), ("95", "Val-d'Oise"),
    ("96", "Corse-du-Sud"), ("97", "Haute-Corse"),
]


# --------------------------------------------------------------------------
# Prefix blocks.

def span(text):
    """'AA-AK' -> AA AB .. AK ; '3H-3U' ; 'SSA-SSM' ; 'Y2-Y9'."""
    first, last = text.split("-")
    assert len(first) == len(last) and first[:-1] == last[:-1], text
    seq = DIGITS if first[-1] in DIGITS else LETTERS
    a, b = seq.index(first[-1]), seq.index(last[-1])
    return [first[:-1] + c for c in seq[a:b + 1]]


def keys(text):
    """Space separated keys, ranges written 'AA-AK'."""
    out = []
    for item in text.split():
        out.extend(span(item) if "-" in item else [item])
    return out


def each(prefixes, suffixes):
    """Every prefix followed by every suffix."""
    return [p + s for p in keys(prefixes) for s in suffixes.split()]


RUSSIA = ["R"] + keys("RA-RZ UA-UI")
SPAIN = "EA-EH AM-AO"
GREECE = "SV SW SX SY SZ J4"
BRAZIL = "PP-PY ZV-ZZ"
CHILE = "CA-CE XQ XR 3G"

ENTITIES = [
    # --- France and overseas
    ("France", keys("F TH TM TO TP TQ TV TW TX HW HX HY")),
    ("Corse", keys("TK")),
    ("Guadeloupe", keys("FG")),
    ("St-Barthélemy", keys("FJ")),
    ("St-Martin", keys("FS")),
    ("Martinique", keys("FM")),
    ("Guyane Française", keys("FY")),
    ("St-Pierre et Miquelon", keys("FP")),
    ("Réunion", keys("FR")),
    ("Mayotte", keys("FH")),
    ("Nouvelle-Calédonie", keys("FK")),
    ("Polynésie Française", keys("FO")),
    ("Wallis et Futuna", keys("FW")),
    ("Iles Kerguelen", ["FT"] + ["FT%sX" % d for d in DIGITS]),
    ("Iles Crozet", ["FT%sW" % d for d in DIGITS]),
    ("Iles Amsterdam et St-Paul", ["FT%sZ" % d for d in DIGITS]),
    ("Iles Glorieuses", ["FT%sG" % d for d in DIGITS]),
    ("Iles Juan de Nova et Europa", ["FT%sJ" % d for d in DIGITS]),
    ("Ile Tromelin", ["FT%sT" % d for d in DIGITS]),
    ("Antarctique", ["FT%sY" % d for d in DIGITS]
     + keys("KC4AA KC4US CE9 XR9 RI1A")),

    # --- United Kingdom and dependencies
    ("Angleterre", keys("G M 2 VP VQ VS ZC ZD ZE ZG ZH ZI ZJ ZN ZO ZQ")),
    ("Ecosse", keys("GM GS MM MS 2M 2S")),
    ("Galles", keys("GW GC MW MC 2W 2C")),
    ("Irlande du Nord", keys("GI GN MI MN 2I 2N")),
    ("Ile de Man", keys("GD GT MD MT 2D 2T")),
    ("Jersey", keys("GJ GH MJ MH 2J 2H")),
    ("Guernesey", keys("GU GP MU MP 2U 2P")),
    ("Gibraltar", keys("ZB")),
    ("Bases Souveraines de Chypre", keys("ZC4")),
    ("Ste-Hélène", keys("ZD7")),
    ("Ile d'Ascension", keys("ZD8")),
    ("Tristan da Cunha", keys("ZD9")),
    ("Iles Caïmans", keys("ZF")),
    ("Anguilla", keys("VP2E")),
    ("Montserrat", keys("VP2M")),
    ("Iles Vierges Britanniques", keys("VP2V VP2")),
    ("Iles Turques et Caïques", keys("VP5")),
    ("Ile Pitcairn", keys("VP6")),
    ("Ile Ducie", keys("VP6D")),
    ("Iles Malouines", keys("VP8")),
    ("Bermudes", keys("VP9")),
    ("Iles Chagos", keys("VQ9")),

    # --- North America
    ("Etats-Unis", keys("K N W AA-AK")),
    ("Alaska", keys("AL KL NL WL")),
    ("Iles Mariannes du Nord", each("KH NH WH AH", "0")),
    ("Ile Baker et Howland", each("KH NH WH AH", "1")),
    ("Guam", each("KH NH WH AH", "2")),
    ("Ile Johnston", each("KH NH WH AH", "3")),
    ("Ile Midway", each("KH NH WH AH", "4")),
    ("Iles Palmyra et Jarvis", each("KH NH WH AH", "5")),
    ("Récif Kingman", each("KH NH WH AH", "5K")),
    ("Hawaï", each("KH NH WH AH", "6 7")),
    ("Ile Kure", each("KH NH WH AH", "7K")),
    ("Samoa Américaines", each("KH NH WH AH", "8")),
    ("Ile Swains", each("KH NH WH AH", "8S")),
    ("Ile Wake", each("KH NH WH AH", "9")),
    ("Porto Rico", keys("KP NP WP") + each("KP NP WP", "3 4")),
    ("Ile Navassa", each("KP NP WP", "1")),
    ("Iles Vierges Américaines", each("KP NP WP", "2")),
    ("Ile Desecheo", each("KP NP WP", "5")),
    ("Canada", keys("VA-VG VO VX VY CF-CK CY CZ XJ-XO")),
    ("Ile de Sable", keys("CY0")),
    ("Ile St-Paul", keys("CY9")),
    ("Groenland", keys("OX XP")),
    ("Mexique", keys("XA-XI 4A-4C 6D-6J")),
    ("Iles Revillagigedo", keys("XF4")),

    # --- Central America and Caribbean
    ("Guatemala", keys("TG TD")),
    ("El Salvador", keys("YS HU")),
    ("Honduras", keys("HQ HR")),
    ("Nicaragua", keys("YN HT H6 H7")),
    ("Costa Rica", keys("TI TE")),
    ("Ile Cocos", keys("TI9 TE9")),
    ("Panama", keys("HO HP 3E 3F H3 H8 H9")),
    ("Belize", keys("V3")),
    ("Cuba", keys("CL CM CO T4")),
    ("Haïti", keys("HH 4V")),
    ("République Dominicaine", keys("HI")),
    ("Jamaïque", keys("6Y")),
    ("Bahamas", keys("C6")),
    ("Barbade", keys("8P")),
    ("Trinité et Tobago", keys("9Y 9Z")),
    ("Grenade", keys("J3")),
    ("Ste-Lucie", keys("J6")),
    ("Dominique", keys("J7")),
    ("St-Vincent", keys("J8")),
    ("Antigua et Barbuda", keys("V2")),
    ("St-Kitts et Nevis", keys("V4")),
    ("Aruba", keys("P4")),
    ("Curaçao", keys("PJ PJ2 PJ9")),
    ("Bonaire", keys("PJ4")),
    ("Saba et St-Eustache", keys("PJ5 PJ6")),
    ("Sint Maarten", keys("PJ7")),

    # --- South America
    ("Venezuela", keys("YV-YY 4M")),
    ("Ile Aves", each("YV-YY 4M", "0")),
    ("Colombie", keys("HJ HK 5J 5K")),
    ("San Andrés et Providencia", each("HJ HK 5J 5K", "0")),
    ("Equateur", keys("HC HD")),
    ("Iles Galapagos", each("HC HD", "8")),
    ("Pérou", keys("OA-OC 4T")),
    ("Bolivie", keys("CP")),
    ("Paraguay", keys("ZP")),
    ("Uruguay", keys("CV-CX")),
    ("Argentine", keys("LO-LW AY AZ L2-L9")),
    ("Chili", keys(CHILE)),
    ("Ile de Pâques", each(CHILE, "0Y")),
    ("Iles Juan Fernandez", each(CHILE, "0Z")),
    ("Iles San Felix", each(CHILE, "0X")),
    ("Brésil", keys(BRAZIL)),
    ("Ile Fernando de Noronha", each(BRAZIL, "0F")),
    ("Rochers St-Pierre et St-Paul", each(BRAZIL, "0S")),
    ("Iles Trindade et Martim Vaz", each(BRAZIL, "0T")),
    ("Suriname", keys("PZ")),
    ("Guyana", keys("8R")),

    # --- Western and northern Europe
    ("Allemagne", keys("DA-DR Y2-Y9")),
    ("Pays-Bas", keys("PA-PI")),
    ("Belgique", keys("ON-OT")),
    ("Luxembourg", keys("LX")),
    ("Suisse", keys("HB HE")),
    ("Liechtenstein", keys("HB0")),
    ("Autriche", keys("OE 4U1A 4U1V")),
    ("Italie", keys("I")),
    ("Sardaigne", keys("IS0 IM0")),
    ("Vatican", keys("HV")),
    ("St-Marin", keys("T7")),
    ("Malte", keys("9H")),
    ("Ordre de Malte", keys("1A")),
    ("Monaco", keys("3A")),
    ("Andorre", keys("C3")),
    ("Espagne", keys(SPAIN)),
    ("Iles Baléares", each(SPAIN, "6")),
    ("Iles Canaries", each(SPAIN, "8")),
    ("Ceuta et Melilla", each(SPAIN, "9")),
    ("Portugal", keys("CQ-CT XX")),
    ("Madère", each("CQ-CT", "3 9")),
    ("Açores", keys("CU") + each("CQ-CT", "8")),
    ("Irlande", keys("EI EJ")),
    ("Islande", keys("TF")),
    ("Danemark", keys("OU OV OZ 5P 5Q")),
    ("Iles Féroé", keys("OY OW")),
    ("Norvège", keys("LA-LN")),
    ("Svalbard", keys("JW")),
    ("Jan Mayen", keys("JX")),
    ("Ile Bouvet", keys("3Y")),
    ("Suède", keys("SA-SM 7S 8S")),
    ("Finlande", keys("OF-OJ")),
    ("Iles Aland", keys("OH0")),
    ("Récif de Market", keys("OJ0")),

    # --- Central and eastern Europe
    ("Pologne", keys("SN-SR HF 3Z")),
    ("République Tchèque", keys("OK OL")),
    ("Slovaquie", keys("OM")),
    ("Hongrie", keys("HA HG")),
    ("Slovénie", keys("S5")),
    ("Croatie", keys("9A")),
    ("Bosnie-Herzégovine", keys("E7 T9")),
    ("Serbie", keys("YT YU YZ 4N")),
    ("Monténégro", keys("4O")),
    ("Macédoine du Nord", keys("Z3")),
    ("Kosovo", keys("Z6")),
    ("Albanie", keys("ZA")),
    ("Grèce", keys(GREECE)),
    ("Dodécanèse", each(GREECE, "5")),
    ("Crète", each(GREECE, "9")),
    ("Bulgarie", keys("LZ")),
    ("Roumanie", keys("YO-YR")),
    ("Moldavie", keys("ER")),
    ("Ukraine", keys("EM-EO UR-UZ")),
    ("Biélorussie", keys("EU-EW")),
    ("Lituanie", keys("LY")),
    ("Lettonie", keys("YL")),
    ("Estonie", keys("ES")),
    ("Russie d'Europe", keys("R UA-UI")),
    ("Kaliningrad", [p + "2" for p in RUSSIA]),
    ("Russie d'Asie", [p + d for p in RUSSIA for d in "890"]),
    ("Terre Franz-Joseph", keys("R1FJ RI1F")),
    ("Turquie", keys("TA-TC YM")),
    ("Turquie d'Europe", each("TA-TC YM", "1")),
    ("Chypre", keys("5B C4 H2 P3")),

    # --- Caucasus and central Asia
    ("Géorgie", keys("4L")),
    ("Arménie", keys("EK")),
    ("Azerbaïdjan", keys("4J 4K")),
    ("Kazakhstan", keys("UN-UQ")),
    ("Ouzbékistan", keys("UJ-UM")),
    ("Kirghizistan", keys("EX")),
    ("Tadjikistan", keys("EY")),
    ("Turkménistan", keys("EZ")),

    # --- Middle East
    ("Israël", keys("4X 4Z")),
    ("Palestine", keys("E4")),
    ("Liban", keys("OD")),
    ("Syrie", keys("YK 6C")),
    ("Jordanie", keys("JY")),
    ("Irak", keys("YI HN")),
    ("Iran", keys("EP EQ 9B-9D")),
    ("Koweït", keys("9K")),
    ("Arabie Saoudite", keys("HZ 7Z 8Z")),
    ("Bahreïn", keys("A9")),
    ("Qatar", keys("A7")),
    ("Emirats Arabes Unis", keys("A6")),
    ("Oman", keys("A4")),
    ("Yémen", keys("7O")),

    # --- South and south-east Asia
    ("Afghanistan", keys("YA T6")),
    ("Pakistan", keys("AP-AS 6P-6S")),
    ("Inde", keys("VT-VW AT-AW 8T-8Y")),
    ("Iles Andaman et Nicobar", keys("VU4")),
    ("Iles Laquedives", keys("VU7")),
    ("Sri Lanka", keys("4P-4S")),
    ("Maldives", keys("8Q")),
    ("Népal", keys("9N")),
    ("Bhoutan", keys("A5")),
    ("Bangladesh", keys("S2 S3")),
    ("Birmanie", keys("XY XZ")),
    ("Thaïlande", keys("HS E2")),
    ("Laos", keys("XW")),
    ("Cambodge", keys("XU")),
    ("Viêt Nam", keys("3W XV")),
    ("Malaisie Occidentale", keys("9M 9W")),
    ("Malaisie Orientale", each("9M 9W", "6 8")),
    ("Iles Spratly", keys("1S 9M0")),
    ("Singapour", keys("9V S6")),
    ("Brunei", keys("V8")),
    ("Indonésie", keys("PK-PO YB-YH 7A-7I 8A-8I JZ")),
    ("Timor Oriental", keys("4W")),
    ("Philippines", keys("DU-DZ 4D-4I")),

    # --- East Asia
    ("Chine", keys("B 3H-3U XS")),
    ("Taïwan", keys("BM-BQ BU-BX")),
    ("Iles Pratas", keys("BV9P")),
    ("Récif de Scarborough", keys("BS7")),
    ("Hong Kong", keys("VR")),
    ("Macao", keys("XX9")),
    ("Corée du Sud", keys("HL DS DT 6K-6N D7-D9")),
    ("Corée du Nord", keys("HM P5-P9")),
    ("Japon", keys("JA-JS 7J-7N 8J-8N")),
    ("Iles Ogasawara", keys("JD1")),
    ("Mongolie", keys("JT-JV")),

    # --- Oceania
    ("Australie", keys("VH-VN VZ AX")),
    ("Ile Macquarie", keys("VK0")),
    ("Ile Norfolk", keys("VK9 VK9N")),
    ("Ile Lord Howe", keys("VK9L")),
    ("Iles Cocos Keeling", keys("VK9C")),
    ("Ile Christmas", keys("VK9X")),
    ("Récif Mellish", keys("VK9M")),
    ("Ile Willis", keys("VK9W")),
    ("Nouvelle-Zélande", keys("ZK-ZM")),
    ("Iles Chatham", each("ZL ZM", "7")),
    ("Iles Kermadec", each("ZL ZM", "8")),
    ("Iles Auckland et Campbell", each("ZL ZM", "9")),
    ("Tokelau", keys("ZK3")),
    ("Papouasie-Nouvelle-Guinée", keys("P2")),
    ("Iles Salomon", keys("H4")),
    ("Iles Temotu", keys("H40")),
    ("Vanuatu", keys("YJ")),
    ("Fidji", keys("3D 3D2")),
    ("Tonga", keys("A3")),
    ("Samoa", keys("5W")),
    ("Tuvalu", keys("T2")),
    ("Kiribati Ouest", keys("T3 T30")),
    ("Kiribati Central", keys("T31")),
    ("Kiribati Est", keys("T32")),
    ("Ile Banaba", keys("T33")),
    ("Nauru", keys("C2")),
    ("Iles Marshall", keys("V7")),
    ("Micronésie", keys("V6")),
    ("Palaos", keys("T8")),
    ("Iles Cook du Sud", keys("E5")),
    ("Niue", keys("E6")),

    # --- Africa
    ("Maroc", keys("CN 5C-5G")),
    ("Sahara Occidental", keys("S0")),
    ("Algérie", keys("7R 7T-7Y")),
    ("Tunisie", keys("3V TS")),
    ("Libye", keys("5A")),
    ("Egypte", keys("SU 6A 6B SSA-SSM")),
    ("Soudan", keys("ST SS 6T 6U")),
    ("Soudan du Sud", keys("Z8")),
    ("Ethiopie", keys("ET 9E 9F")),
    ("Erythrée", keys("E3")),
    ("Djibouti", keys("J2")),
    ("Somalie", keys("T5 6O")),
    ("Kenya", keys("5Y 5Z")),
    ("Ouganda", keys("5X")),
    ("Tanzanie", keys("5H 5I")),
    ("Rwanda", keys("9X")),
    ("Burundi", keys("9U")),
    ("République Démocratique du Congo", keys("9O-9T")),
    ("Congo", keys("TN")),
    ("Gabon", keys("TR")),
    ("Guinée Equatoriale", keys("3C")),
    ("Ile d'Annobon", keys("3C0")),
    ("Cameroun", keys("TJ")),
    ("Centrafrique", keys("TL")),
    ("Tchad", keys("TT")),
    ("Niger", keys("5U")),
    ("Nigéria", keys("5N 5O")),
    ("Bénin", keys("TY")),
    ("Togo", keys("5V")),
    ("Ghana", keys("9G")),
    ("Côte d'Ivoire", keys("TU")),
    ("Libéria", keys("EL 5L 5M 6Z A8 D5")),
    ("Sierra Leone", keys("9L")),
    ("Guinée", keys("3X")),
    ("Guinée-Bissau", keys("J5")),
    ("Sénégal", keys("6V 6W")),
    ("Gambie", keys("C5")),
    ("Mauritanie", keys("5T")),
    ("Mali", keys("TZ")),
    ("Burkina Faso", keys("XT")),
    ("Cap-Vert", keys("D4")),
    ("Sao Tomé et Principe", keys("S9")),
    ("Angola", keys("D2 D3")),
    ("Zambie", keys("9I 9J")),
    ("Malawi", keys("7Q")),
    ("Mozambique", keys("C8 C9")),
    ("Zimbabwe", keys("Z2")),
    ("Botswana", keys("A2 8O")),
    ("Namibie", keys("V5")),
    ("Afrique du Sud", keys("ZR-ZU S8")),
    ("Iles Prince-Edouard et Marion", keys("ZS8")),
    ("Lesotho", keys("7P")),
    ("Eswatini", keys("3DA 3D6")),
    ("Madagascar", keys("5R 5S 6X")),
    ("Comores", keys("D6")),
    ("Ile Maurice", keys("3B")),
    ("Ile Rodrigues", keys("3B9")),
    ("Iles Agalega et St-Brandon", keys("3B6 3B7")),
    ("Seychelles", keys("S7")),

    # --- International
    ("Siège de l'ONU", keys("4U")),
    ("Siège de l'UIT", keys("4U1I")),
]


def prefix_table():
    """[(key, name)] in file order."""
    owner = {}
    for name, ks in ENTITIES:
        for k in ks:
            assert 1 <= len(k) <= 5 and all(c in ALNUM for c in k), k
            if k in owner and owner[k] != name:
                raise SystemExit("key %s given to %s and %s" % (k, owner[k], name))
            owner[k] = name
    # '~' sorts after digits and letters: a key comes before every shorter
    # key that begins it, otherwise plain alphabetical order.
    return sorted(owner.items(), key=lambda kv: kv[0] + "~")


# --------------------------------------------------------------------------

def departement_lines():
    return ["%s %s %s" % (code, "0" * BANDS, name) for code, name in DEPARTEMENTS]


def locator_lines():
    fields = LETTERS[:18]  # A..R
    return ["%s%s%02d %s" % (a, b, n, "0" * LOCATOR_BANDS)
            for a in fields for b in fields for n in range(100)]


def prefixe_lines():
    return ["%-5s  %s  %s" % (k, "0" * BANDS, name) for k, name in prefix_table()]


def write(path, lines):
    data = "".join(line + "\r\n" for line in lines).encode("cp1252")
    with open(path, "wb") as f:
        f.write(data)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "templates")
    os.makedirs(out, exist_ok=True)
    write(os.path.join(out, "FXXXX_Departement.txt"), departement_lines())
    write(os.path.join(out, "FXXXX_Locator.txt"), locator_lines())
    write(os.path.join(out, "FXXXX_Prefixe.txt"), prefixe_lines())
    open(os.path.join(out, "Nomenclature.txt"), "wb").close()


if __name__ == "__main__":
    main()
