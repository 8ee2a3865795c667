# One-off export of the map outlines used by the map windows.
#
# Reads the "france" (departments) and "world" databases of the R package "maps", clips them to
# 21°W-41°E and 29°N-61°N, simplifies the outlines (Douglas-Peucker) and writes two compact text
# files, coordinates in thousandths of a degree:
#   france.txt   "P <code> lon lat lon lat ..."  one outline of a department (code 01..95, 2A, 2B)
#                "C <code> lon lat"               where its cell stands (a point well inside it)
#   monde.txt    "P lon lat lon lat ..."          one land outline (country or island)
#
# Run by hand from the project root:  Rscript tools/maps/exporte_cartes.R reports/cartes

library(maps)

args <- commandArgs(trailingOnly = TRUE)
sortie <- if (length(args) >= 1) args[1] else "reports/cartes"

xmin <- -21; xmax <- 41; ymin <- 29; ymax <- 61

# Department names of the "france" database and their numbers.
codes <- c(
  "Ain" = "01", "Aisne" = "02", "Allier" = "03", "Alpes-de-Haute-Provence" = "04",
  "Hautes-Alpes" = "05", "Alpes-Maritimes" = "06", "Ardeche" = "07", "Ardennes" = "08",
  "Ariege" = "09", "Aube" = "10", "Aude" = "11", "Aveyron" = "12", "Bouches-du-Rhone" = "13",
  "Calvados" = "14", "Cantal" = "15", "Charente" = "16", "Charente-Maritime" = "17",
  "Cher" = "18", "Correze" = "19", "Corse du Sud" = "2A", "Haute-Corse" = "2B",
  "Cote-Dor" = "21", "Cotes-Darmor" = "22", "Creuse" = "23", "Dordogne" = "24", "Doubs" = "25",
  "Drome" = "26", "Eure" = "27", "Eure-et-Loir" = "28", "Finistere" = "29", "Gard" = "30",
  "Haute-Garonne" = "31", "Gers" = "32", "Gironde" = "33", "Herault" = "34",
  "Ille-et-Vilaine" = "35", "Indre" = "36", "Indre-et-Loire" = "37", "Isere" = "38",
  "Jura" = "39", "Landes" = "40", "Loir-et-Cher" = "41", "Loire" = "42", "Haute-Loire" = "43",
  "Loire-Atlantique" = "44", "Loiret" = "45", "Lot" = "46", "Lot-et-Garonne" = "47",
  "Lozere" = "48", "Maine-et-Loire" = "49", "Manche" = "50", "Marne" = "51",
  "Haute-Marne" = "52", "Mayenne" = "53", "Meurthe-et-Moselle" = "54", "Meuse" = "55",
  "Morbihan" = "56", "Moselle" = "57", "Nievre" = "58", "Nord" = "59", "Oise" = "60",
  "Orne" = "61", "Pas-de-Calais" = "62", "Puy-de-Dome" = "63", "Pyrenees-Atlantiques" = "64",
  "Hautes-Pyrenees" = "65", "Pyrenees-Orientales" = "66", "Bas-Rhin" = "67", "Haut-Rhin" = "68",
  "Rhone" = "69", "Haute-Saone" = "70", "Saone-et-Loire" = "71", "Sarthe" = "72",
  "Savoie" = "73", "Haute-Savoie" = "74", "Paris" = "75", "Seine-Maritime" = "76",
  "Seine-et-Marne" = "77", "Yvelines" = "78", "Deux-Sevres" = "79", "Somme" = "80",
  "Tarn" = "81", "Tarn-et-Garonne" = "82", "Var" = "83", "Vaucluse" = "84", "Vendee" = "85",
  "Vienne" = "86", "Haute-Vienne" = "87", "Vosges" = "88", "Yonne" = "89",
  "Territoire de Belfort" = "90", "Essonne" = "91", "Hauts-de-Seine" = "92",
  "Seine-Saint-Denis" = "93", "Val-de-Marne" = "94", "Val-Doise" = "95")

# The polygons of a filled map as a list of (name, x, y).
polygones <- function(m) {
  coupe <- c(0, which(is.na(m$x)), length(m$x) + 1)
  res <- list()
  for (i in seq_len(length(coupe) - 1)) {
    r <- (coupe[i] + 1):(coupe[i + 1] - 1)
    if (length(r) < 3) next
    res[[length(res) + 1]] <- list(nom = m$names[i], x = m$x[r], y = m$y[r])
  }
  res
}

# Douglas-Peucker on an open line.
simplifie_ligne <- function(x, y, tol) {
  n <- length(x)
  garde <- logical(n); garde[c(1, n)] <- TRUE
  pile <- list(c(1, n))
  while (length(pile) > 0) {
    s <- pile[[length(pile)]]; pile[[length(pile)]] <- NULL
    a <- s[1]; b <- s[2]
    if (b - a < 2) next
    i <- (a + 1):(b - 1)
    dx <- x[b] - x[a]; dy <- y[b] - y[a]; l <- sqrt(dx * dx + dy * dy)
    d <- if (l == 0) sqrt((x[i] - x[a])^2 + (y[i] - y[a])^2)
         else abs(dy * (x[i] - x[a]) - dx * (y[i] - y[a])) / l
    k <- which.max(d)
    if (d[k] > tol) {
      m <- i[k]; garde[m] <- TRUE
      pile[[length(pile) + 1]] <- c(a, m); pile[[length(pile) + 1]] <- c(m, b)
    }
  }
  list(x = x[garde], y = y[garde])
}

# A closed ring: split at the point farthest from the first so both halves keep their shape.
simplifie <- function(x, y, tol) {
  n <- length(x)
  if (n < 5) return(list(x = x, y = y))
  loin <- which.max((x - x[1])^2 + (y - y[1])^2)
  a <- simplifie_ligne(x[1:loin], y[1:loin], tol)
  b <- simplifie_ligne(c(x[loin:n], x[1]), c(y[loin:n], y[1]), tol)
  list(x = c(a$x, b$x[-c(1, length(b$x))]), y = c(a$y, b$y[-c(1, length(b$y))]))
}

# Sutherland-Hodgman against one edge; `dedans` and `coupe` describe the edge.
clip_bord <- function(x, y, dedans, coupe) {
  n <- length(x)
  if (n == 0) return(list(x = numeric(0), y = numeric(0)))
  rx <- numeric(0); ry <- numeric(0)
  px <- x[n]; py <- y[n]
  for (i in seq_len(n)) {
    cx <- x[i]; cy <- y[i]
    if (dedans(cx, cy)) {
      if (!dedans(px, py)) { p <- coupe(px, py, cx, cy); rx <- c(rx, p[1]); ry <- c(ry, p[2]) }
      rx <- c(rx, cx); ry <- c(ry, cy)
    } else if (dedans(px, py)) {
      p <- coupe(px, py, cx, cy); rx <- c(rx, p[1]); ry <- c(ry, p[2])
    }
    px <- cx; py <- cy
  }
  list(x = rx, y = ry)
}

clip_cadre <- function(x, y) {
  sx <- function(x0) function(ax, ay, bx, by) c(x0, ay + (by - ay) * (x0 - ax) / (bx - ax))
  sy <- function(y0) function(ax, ay, bx, by) c(ax + (bx - ax) * (y0 - ay) / (by - ay), y0)
  p <- clip_bord(x, y, function(a, b) a >= xmin, sx(xmin))
  p <- clip_bord(p$x, p$y, function(a, b) a <= xmax, sx(xmax))
  p <- clip_bord(p$x, p$y, function(a, b) b >= ymin, sy(ymin))
  p <- clip_bord(p$x, p$y, function(a, b) b <= ymax, sy(ymax))
  p
}

# Ray casting.
dans_polygone <- function(px, py, x, y) {
  n <- length(x); j <- c(n, 1:(n - 1))
  croise <- ((y > py) != (y[j] > py)) & (px < (x[j] - x) * (py - y) / (y[j] - y) + x)
  sum(croise, na.rm = TRUE) %% 2 == 1
}

dist_bord <- function(px, py, x, y) {
  n <- length(x); j <- c(2:n, 1)
  dx <- x[j] - x; dy <- y[j] - y; l2 <- dx * dx + dy * dy
  t <- pmin(1, pmax(0, ((px - x) * dx + (py - y) * dy) / ifelse(l2 == 0, 1, l2)))
  min(sqrt((x + t * dx - px)^2 + (y + t * dy - py)^2))
}

# The point of the largest outline farthest from its border (a grid search), in a frame
# where a degree of longitude is shortened as on the map.
point_interieur <- function(x, y) {
  k <- cos(46.5 * pi / 180)
  gx <- seq(min(x), max(x), length.out = 40); gy <- seq(min(y), max(y), length.out = 40)
  meilleur <- c(mean(x), mean(y)); dmax <- -1
  for (a in gx) for (b in gy) {
    if (!dans_polygone(a, b, x, y)) next
    d <- dist_bord(a * k, b, x * k, y)
    if (d > dmax) { dmax <- d; meilleur <- c(a, b) }
  }
  meilleur
}

ecrit_coord <- function(x, y) paste(sprintf("%d %d", round(x * 1000), round(y * 1000)), collapse = " ")

aire <- function(x, y) { n <- length(x); j <- c(2:n, 1); abs(sum(x * y[j] - x[j] * y)) / 2 }

# --- France --------------------------------------------------------------------------------------
fr <- polygones(map("france", plot = FALSE, fill = TRUE))
lignes <- c("# Departements de France (base \"france\" du paquet R maps), millièmes de degré")
plus_grand <- list()
for (p in fr) {
  base <- sub(":.*", "", p$nom)
  code <- codes[base]
  if (is.na(code)) stop(paste("departement inconnu :", p$nom))
  s <- simplifie(p$x, p$y, 0.006)
  if (length(s$x) < 3) next
  lignes <- c(lignes, paste("P", code, ecrit_coord(s$x, s$y)))
  a <- aire(p$x, p$y)
  if (is.null(plus_grand[[code]]) || a > plus_grand[[code]]$a)
    plus_grand[[code]] <- list(a = a, x = p$x, y = p$y)
}
if (length(plus_grand) != 96) stop("il manque des departements")
for (code in sort(names(plus_grand))) {
  g <- plus_grand[[code]]
  c <- point_interieur(g$x, g$y)
  lignes <- c(lignes, paste("C", code, ecrit_coord(c[1], c[2])))
}
writeLines(lignes, file.path(sortie, "france.txt"))

# --- World ---------------------------------------------------------------------------------------
mo <- polygones(map("world", plot = FALSE, fill = TRUE, xlim = c(xmin, xmax), ylim = c(ymin, ymax)))
lignes <- c("# Terres de l'Europe et alentours (base \"world\" du paquet R maps, Natural Earth), millièmes de degré")
for (p in mo) {
  s <- simplifie(p$x, p$y, 0.02)
  if (length(s$x) < 3) next
  s <- clip_cadre(s$x, s$y)
  if (length(s$x) < 3 || aire(s$x, s$y) < 0.0004) next
  lignes <- c(lignes, paste("P", ecrit_coord(s$x, s$y)))
}
writeLines(lignes, file.path(sortie, "monde.txt"))
