#!/usr/bin/env python3
"""Writes the four car databases shipped beside the program.

Each database lists the cars whose CAN bus the unit of one firmware generation can analyse:
MZRAv14.txt (the first CAN units), MZRAv17.txt and MZRAv18.txt (later firmware, newer models)
and MZRFv10.txt (the current family, the most models). Every file is code page 1250 with CR LF
line ends:

    line 1      the database's generation number (0-255; the program only checks it is a number)
    car lines   key,make,model,group
                key   hexadecimal, make number * 256 + model number, both counted from 0 in the
                      order of appearance within this file
                group decimal CAN group of the car's bus (platform and gateway)

Group 1 stands for cars without a CAN bus, where the unit works from its wired inputs only.

Run from this folder:  python3 make_car_databases.py
"""

import os

# Generation in which a model first appears: the databases include every model up to their own.
V14, V17, V18, F10 = 0, 1, 2, 3

DATABASES = [("MZRAv14.txt", 14, V14), ("MZRAv17.txt", 17, V17), ("MZRAv18.txt", 18, V18),
             ("MZRFv10.txt", 10, F10)]

# make -> [(model, group, first generation)]; makes alphabetical, models in the order of the list.
CARS = [
    ("Alfa Romeo", [("147", 24, V14), ("156", 24, V14), ("159", 25, V14), ("GT", 24, V14),
                    ("MiTo", 26, V17), ("Giulietta", 27, V17), ("Giulia", 52, F10), ("Stelvio", 52, F10)]),
    ("Audi", [("A2", 3, V14), ("A3 8L", 3, V14), ("A3 8P", 17, V14), ("A4 B6", 4, V14), ("A4 B7", 4, V14),
              ("A6 C5", 5, V14), ("A6 C6", 18, V14), ("TT 8N", 3, V14), ("A4 B8", 33, V17), ("A5", 33, V17),
              ("Q5", 33, V17), ("Q7", 19, V17), ("A1", 29, V18), ("A6 C7", 34, V18), ("A3 8V", 41, V18),
              ("Q3", 29, V18), ("A4 B9", 49, F10), ("Q2", 41, F10)]),
    ("BMW", [("Seria 3 E46", 6, V14), ("Seria 5 E39", 6, V14), ("Seria 3 E90", 20, V14), ("Seria 5 E60", 20, V14),
             ("Seria 1 E87", 20, V14), ("X3 E83", 6, V14), ("X5 E53", 6, V14), ("Seria 1 F20", 42, V18),
             ("Seria 3 F30", 42, V18), ("Seria 5 F10", 42, V18), ("X1 E84", 20, V17), ("X3 F25", 42, V18),
             ("Seria 3 G20", 55, F10), ("X5 G05", 55, F10)]),
    ("Chevrolet", [("Aveo", 15, V14), ("Lacetti", 15, V14), ("Captiva", 21, V17), ("Cruze", 35, V17),
                   ("Spark", 21, V17), ("Orlando", 35, V18)]),
    ("Chrysler", [("PT Cruiser", 7, V14), ("Voyager", 7, V14), ("Sebring", 22, V17), ("300C", 22, V17)]),
    ("Citroën", [("Berlingo", 8, V14), ("C3", 9, V14), ("C4", 9, V14), ("C5", 10, V14), ("Xsara Picasso", 8, V14),
                 ("C8", 10, V14), ("Jumper", 11, V14), ("C4 Picasso", 23, V17), ("C3 Picasso", 23, V17),
                 ("DS3", 36, V18), ("C-Elysée", 36, V18), ("C4 Cactus", 47, F10), ("C5 Aircross", 56, F10)]),
    ("Dacia", [("Logan", 12, V14), ("Sandero", 12, V17), ("Duster", 30, V17), ("Lodgy", 43, V18),
               ("Dokker", 43, V18), ("Sandero II", 43, V18), ("Duster II", 57, F10)]),
    ("Daewoo", [("Lanos", 1, V14), ("Matiz", 1, V14), ("Nubira", 1, V14), ("Tacuma", 1, V14)]),
    ("Fiat", [("126p", 1, V14), ("Cinquecento", 1, V14), ("Seicento", 1, V14), ("Punto II", 13, V14),
              ("Stilo", 13, V14), ("Panda II", 14, V14), ("Doblo", 13, V14), ("Ducato III", 28, V14),
              ("Grande Punto", 26, V14), ("Bravo II", 26, V17), ("500", 14, V17), ("Panda III", 37, V18),
              ("Tipo", 48, F10), ("500X", 48, F10)]),
    ("Ford", [("Fiesta Mk5", 2, V14), ("Focus Mk1", 2, V14), ("Focus Mk2", 16, V14), ("Mondeo Mk3", 2, V14),
              ("Mondeo Mk4", 16, V14), ("Fusion", 2, V14), ("C-Max", 16, V14), ("Transit", 28, V14),
              ("Ka", 14, V17), ("Fiesta Mk7", 31, V17), ("Kuga", 31, V17), ("S-Max", 16, V17),
              ("Focus Mk3", 44, V18), ("Mondeo Mk5", 44, V18), ("EcoSport", 44, F10), ("Puma", 58, F10)]),
    ("FSC", [("Żuk A-06", 1, V14), ("Żuk A-07", 1, V14), ("Lublin II", 1, V14), ("Lublin 3", 1, V14)]),
    ("FSO", [("Polonez Caro", 1, V14), ("Polonez Caro Plus", 1, V14), ("Polonez Atu Plus", 1, V14),
             ("Polonez Truck", 1, V14), ("Lanos", 1, V14), ("Matiz", 1, V14)]),
    ("Honda", [("Civic VII", 32, V14), ("Civic VIII", 32, V14), ("Accord VII", 32, V14), ("CR-V II", 32, V14),
               ("Jazz II", 32, V17), ("CR-V III", 38, V17), ("Civic IX", 45, V18), ("HR-V II", 53, F10)]),
    ("Hyundai", [("Accent", 15, V14), ("Getz", 15, V14), ("i30", 21, V14), ("Santa Fe", 21, V14),
                 ("Tucson", 21, V14), ("i20", 35, V17), ("ix35", 35, V17), ("i10", 35, V17),
                 ("i30 II", 45, V18), ("Tucson III", 53, F10), ("Kona", 53, F10)]),
    ("Jeep", [("Grand Cherokee", 7, V14), ("Cherokee", 22, V17), ("Compass", 22, V17), ("Renegade", 48, F10)]),
    ("Kia", [("Rio", 15, V14), ("Cee'd", 21, V14), ("Sorento", 21, V14), ("Sportage", 21, V14), ("Picanto", 35, V17),
             ("Venga", 35, V17), ("Sportage III", 35, V17), ("Cee'd II", 45, V18), ("Stonic", 53, F10)]),
    ("Lancia", [("Ypsilon", 14, V14), ("Lybra", 13, V14), ("Delta", 26, V17), ("Musa", 14, V17)]),
    ("Land Rover", [("Freelander", 39, V14), ("Discovery 3", 39, V17), ("Range Rover Evoque", 50, V18)]),
    ("Mazda", [("2", 2, V14), ("3", 16, V14), ("6", 40, V14), ("CX-7", 40, V17), ("5", 16, V17),
               ("3 II", 40, V17), ("CX-5", 46, V18), ("6 III", 46, V18), ("CX-3", 46, F10)]),
    ("Mercedes-Benz", [("Klasa A W168", 54, V14), ("Klasa C W203", 54, V14), ("Klasa E W211", 54, V14),
                       ("Sprinter", 28, V14), ("Vito", 54, V14), ("Klasa A W169", 54, V17), ("Klasa C W204", 59, V17),
                       ("Klasa B W245", 54, V17), ("Klasa E W212", 59, V18), ("Klasa C W205", 60, F10)]),
    ("Mitsubishi", [("Colt", 32, V14), ("Lancer", 38, V14), ("Outlander", 38, V14), ("Pajero", 38, V14),
                    ("ASX", 45, V17), ("L200", 38, V17), ("Space Star", 45, V18)]),
    ("Nissan", [("Almera", 12, V14), ("Micra K12", 12, V14), ("Primera", 12, V14), ("X-Trail", 12, V14),
                ("Note", 30, V17), ("Qashqai", 30, V17), ("Juke", 30, V17), ("Qashqai II", 43, V18),
                ("Micra K14", 57, F10)]),
    ("Opel", [("Astra G", 2, V14), ("Astra H", 15, V14), ("Corsa C", 2, V14), ("Corsa D", 15, V14),
              ("Vectra C", 15, V14), ("Zafira B", 15, V14), ("Meriva", 2, V14), ("Agila", 2, V14),
              ("Insignia", 35, V17), ("Astra J", 35, V17), ("Mokka", 35, V18), ("Astra K", 51, F10),
              ("Corsa F", 56, F10), ("Combo", 56, F10)]),
    ("Peugeot", [("206", 8, V14), ("307", 9, V14), ("407", 10, V14), ("Partner", 8, V14), ("607", 10, V14),
                 ("Boxer", 11, V14), ("207", 23, V17), ("308", 23, V17), ("3008", 23, V17), ("208", 36, V18),
                 ("508", 36, V18), ("2008", 47, F10), ("308 II", 47, F10)]),
    ("Renault", [("Clio II", 12, V14), ("Clio III", 12, V14), ("Megane II", 12, V14), ("Laguna II", 12, V14),
                 ("Scenic II", 12, V14), ("Kangoo", 12, V14), ("Master", 28, V14), ("Thalia", 12, V14),
                 ("Megane III", 30, V17), ("Laguna III", 30, V17), ("Captur", 43, V18), ("Clio IV", 43, V18),
                 ("Megane IV", 57, F10)]),
    ("Rover", [("25", 39, V14), ("45", 39, V14), ("75", 39, V14)]),
    ("Seat", [("Ibiza III", 3, V14), ("Leon I", 3, V14), ("Toledo II", 3, V14), ("Cordoba", 3, V14),
              ("Altea", 17, V14), ("Leon II", 17, V14), ("Ibiza IV", 29, V17), ("Alhambra", 18, V17),
              ("Leon III", 41, V18), ("Ateca", 41, F10), ("Arona", 49, F10)]),
    ("Škoda", [("Fabia I", 3, V14), ("Octavia I", 3, V14), ("Superb I", 5, V14), ("Octavia II", 17, V14),
               ("Fabia II", 29, V14), ("Roomster", 29, V14), ("Superb II", 17, V17), ("Yeti", 17, V17),
               ("Citigo", 29, V18), ("Rapid", 29, V18), ("Octavia III", 41, V18), ("Fabia III", 49, F10),
               ("Kodiaq", 41, F10), ("Karoq", 41, F10), ("Scala", 49, F10)]),
    ("Smart", [("ForTwo", 54, V14), ("ForFour", 54, V17)]),
    ("Subaru", [("Impreza", 32, V14), ("Forester", 32, V14), ("Legacy", 32, V14), ("Outback", 38, V17),
                ("XV", 46, V18)]),
    ("Suzuki", [("Swift", 32, V14), ("Grand Vitara", 32, V14), ("SX4", 38, V14), ("Splash", 38, V17),
                ("Vitara", 46, V18), ("Ignis", 53, F10)]),
    ("Toyota", [("Yaris", 32, V14), ("Corolla E12", 32, V14), ("Avensis T25", 32, V14), ("RAV4", 32, V14),
                ("Auris", 40, V17), ("Corolla E15", 40, V17), ("Avensis T27", 40, V17), ("Yaris III", 40, V17),
                ("Verso", 40, V18), ("C-HR", 58, F10), ("Corolla E21", 58, F10)]),
    ("Volkswagen", [("Golf IV", 3, V14), ("Bora", 3, V14), ("Polo 9N", 3, V14), ("Passat B5", 5, V14),
                    ("Golf V", 17, V14), ("Touran", 17, V14), ("Passat B6", 18, V14), ("Caddy", 17, V14),
                    ("Transporter T5", 19, V14), ("Touareg", 19, V14), ("Golf VI", 17, V17),
                    ("Polo 6R", 29, V17), ("Tiguan", 17, V17), ("Passat B7", 18, V17), ("Up!", 29, V18),
                    ("Golf VII", 41, V18), ("Passat B8", 41, F10), ("Tiguan II", 41, F10), ("T-Roc", 41, F10)]),
    ("Volvo", [("S40", 16, V14), ("V50", 16, V14), ("S60", 27, V14), ("V70", 27, V14), ("XC90", 27, V14),
               ("XC60", 44, V17), ("V40", 44, V18), ("XC40", 59, F10)]),
    ("ZSD", [("Nysa 522", 1, V14), ("Nysa 521", 1, V14)]),
]


def lines_for(level):
    out = []
    make_number = 0
    for make, models in CARS:
        chosen = [m for m in models if m[2] <= level]
        if not chosen:
            continue
        for model_number, (model, group, _) in enumerate(chosen):
            out.append("%04X,%s,%s,%d" % (make_number * 256 + model_number, make, model, group))
        make_number += 1
    return out


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, header, level in DATABASES:
        text = "\r\n".join([str(header)] + lines_for(level)) + "\r\n"
        with open(os.path.join(here, name), "wb") as f:
            f.write(text.encode("cp1250"))


if __name__ == "__main__":
    main()
