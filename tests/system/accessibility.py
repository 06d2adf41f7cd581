# The window as a screen reader reads it, through AT-SPI: every control of the layout is
# found by a non-empty name of its own and has the role of its kind.
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

R = Atspi.Role
EDIT = {R.TEXT, R.ENTRY}
# The controls, as the zone page shows them in centred mode; hidden pages included.
EXPECTED = {
    "Choix de la zone géographique": {R.LIST},
    "Position du centre de la grille, Latitude": EDIT,
    "Position du centre de la grille, Longitude": EDIT,
    "Taille de la grille, Latitude": EDIT,
    "Taille de la grille, Longitude": EDIT,
    "Cap": EDIT,
    "Vitesse": EDIT,
    "Cap ▲": {R.PUSH_BUTTON},
    "Cap ▼": {R.PUSH_BUTTON},
    "Vitesse ▲": {R.PUSH_BUTTON},
    "Vitesse ▼": {R.PUSH_BUTTON},
    "Antiméridien": {R.CHECK_BOX},
    "Position du bateau": {R.PUSH_BUTTON},
    "Maille (°), Longitude": {R.COMBO_BOX},
    "Maille (°), Latitude": {R.COMBO_BOX},
    "Paramètres, Défaut": {R.PUSH_BUTTON},
    "Echéances (h)": {R.LIST},
    "Données": {R.LIST},
    "Mode centré": {R.RADIO_BUTTON},
    "Mode rectangle": {R.RADIO_BUTTON},
    "OUI": {R.RADIO_BUTTON},
    "NON": {R.RADIO_BUTTON},
    "Non compressé": {R.RADIO_BUTTON},
    "Zip": {R.RADIO_BUTTON},
    "GZip": {R.RADIO_BUTTON},
    "BZip2": {R.RADIO_BUTTON},
    "Demande unique": {R.RADIO_BUTTON},
    "S'abonner pour N jours": {R.RADIO_BUTTON},
    "Abonnement permanent": {R.RADIO_BUTTON},
    "Supprimer tous les abonnements en cours": {R.RADIO_BUTTON},
    "Abonnement, S'abonner pour N jours": EDIT,
    "Télécom": {R.COMBO_BOX},
    "Unité monétaire, $1 =": EDIT,
    "Monnaie": {R.COMBO_BOX},
    "Options, Défaut": {R.PUSH_BUTTON},
    "Choix des bulletins": {R.LIST},
    "Choix des images": {R.LIST},
    "Commande": EDIT,
    "Copier": {R.PUSH_BUTTON},
    "Enregistrer...": {R.PUSH_BUTTON},
    "Envoi par": {R.COMBO_BOX},
    "Dossier...": {R.PUSH_BUTTON},
    "Retirer...": {R.PUSH_BUTTON},
    "Renvoyer...": {R.PUSH_BUTTON},
    "Favoris...": {R.PUSH_BUTTON},
    "Service météo": {R.COMBO_BOX},
    "Adresses...": {R.PUSH_BUTTON},
    "Dernières commandes": EDIT,
    "Présentation rapide": EDIT,
    "Aide": {R.PUSH_BUTTON},
    "Posez vos questions": {R.PUSH_BUTTON},
    "Coût estimé météo": EDIT,
    "Coût estimé télécom": EDIT,
    "MONDE": {R.RADIO_BUTTON},
    "EUROPE": {R.RADIO_BUTTON},
    "FRANCE": {R.RADIO_BUTTON},
    "Envoi": {R.PUSH_BUTTON},
    "Quitter": {R.PUSH_BUTTON},
}
TABS = ["Zone Géographique", "Paramètres", "Options", "Bulletins", "Images", "Commande", "?"]
CONTROLS = {R.PUSH_BUTTON, R.RADIO_BUTTON, R.CHECK_BOX, R.COMBO_BOX, R.LIST} | EDIT
# What lies inside these is the control's own (items, its open list).
LEAVES = CONTROLS | {R.PAGE_TAB_LIST}


def find_window():
    for _ in range(300):
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            for j in range(app.get_child_count() if app else 0):
                window = app.get_child_at_index(j)
                if window is not None and window.get_name() == "WAVEPOST":
                    return window
        time.sleep(0.1)
    sys.exit("FAIL: no accessible window named WAVEPOST")


def walk(node, controls, tab_lists):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is None:
            continue
        role = child.get_role()
        if role in CONTROLS:
            controls.append(child)
        if role == R.PAGE_TAB_LIST:
            tab_lists.append(child)
        if role not in LEAVES:
            walk(child, controls, tab_lists)


def main():
    window = find_window()
    controls, tab_lists = [], []
    walk(window, controls, tab_lists)
    failures = []
    names = {}
    for control in controls:
        name = control.get_name()
        if not name:
            failures.append(f"a {control.get_role_name()} without a name")
            continue
        names.setdefault(name, []).append(control.get_role())
    for name, roles in names.items():
        if len(roles) > 1:
            failures.append(f"{len(roles)} controls named {name!r}")
    for name, expected in EXPECTED.items():
        roles = names.get(name)
        if not roles:
            failures.append(f"no control named {name!r}")
        elif roles[0] not in expected:
            failures.append(f"{name!r} is a {Atspi.role_get_name(roles[0])}")
    for name in names:
        if name not in EXPECTED:
            failures.append(f"a control not in the layout's list: {name!r}")
    if len(tab_lists) != 1:
        failures.append(f"{len(tab_lists)} tab lists")
    else:
        tabs = [tab_lists[0].get_child_at_index(i).get_name()
                for i in range(tab_lists[0].get_child_count())]
        tabs = [t.strip() for t in tabs if t]
        if tabs[: len(TABS)] != TABS:
            failures.append(f"tabs {tabs}")
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    print(f"{len(controls)} controls, {len(failures)} failures")
    return 1 if failures else 0


sys.exit(main())
