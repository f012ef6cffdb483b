// Preferences file "Serkano.ini".
