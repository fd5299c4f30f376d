# The goal table (bench/goals.json, the input) judged against the figures of
# one run ($m: {"PREFIX.key": value}). Gives {rows: [markdown rows], missed: N}.
#
# A goal names the figure it judges ("measured"), optionally the figure it is
# held against ("floor", measured in the same run), and its limit:
#   {"below": x}   measured < x
#   {"atmost": x}  measured ≤ x
#   {"atleast": x} measured ≥ x
#   {"times": k}   measured ≤ k × floor
#   {"plus": x}    measured ≤ floor + x
#   none           reported only, no verdict
# "{key}" or "{key:D}" in a goal's text stands for a figure (with D decimals).
# A goal whose figure is missing counts as missed.

def fixed($d):
  if type != "number" then tostring
  elif $d <= 0 then (round | tostring)
  else
    (. * pow(10; $d) | round) as $n
    | ($n | fabs | tostring) as $s
    | (if ($s | length) <= $d then ([range(0; $d + 1 - ($s | length))] | map("0") | join("")) + $s else $s end) as $p
    | (if $n < 0 then "-" else "" end) + $p[0:($p | length) - $d] + "." + $p[($p | length) - $d:]
  end;

def with_unit($u): if ($u // "") == "" then . else . + " " + $u end;

def fill:
  gsub("\\{(?<k>[^}:]+)(:(?<d>[0-9]+))?\\}";
       ($m[.k]) as $v
       | if $v == null then "?"
         elif .d != null then (.d | tonumber) as $d | ($v | fixed($d))
         else ($v | tostring) end);

def is_number: type == "number";

[ .[] as $g
  | ($g.digits // 1) as $d
  | ($m[$g.measured]) as $v
  | (if $g.floor != null then $m[$g.floor] else null end) as $f
  | ($g.limit // {}) as $l
  | (if $l.below != null then
       {text: ("< \($l.below)" | with_unit($g.unit)), ok: ($v | is_number and . < $l.below)}
     elif $l.atmost != null then
       {text: ("≤ \($l.atmost)" | with_unit($g.unit)), ok: ($v | is_number and . <= $l.atmost)}
     elif $l.atleast != null then
       {text: ("≥ \($l.atleast)" | with_unit($g.unit)), ok: ($v | is_number and . >= $l.atleast)}
     elif $l.times != null then
       {text: "≤ \($l.times) × floor", ok: (($v | is_number) and ($f | is_number) and $v <= $l.times * $f)}
     elif $l.plus != null then
       {text: ("≤ floor + \($l.plus)" | with_unit($g.unit)), ok: (($v | is_number) and ($f | is_number) and $v <= $f + $l.plus)}
     else {text: "reported", ok: null} end) as $lim
  | (if ($v | is_number | not) then "no figure"
     elif $lim.ok == null then "—"
     elif $lim.ok then "met"
     else "MISSED" end) as $verdict
  | {
      missed: ($verdict == "MISSED" or $verdict == "no figure"),
      row: ("| " + ($g.goal | fill)
            + " | " + (if $v | is_number then ($v | fixed($d) | with_unit($g.unit)) else "—" end)
            + " | " + (if $f | is_number then ($f | fixed($d) | with_unit($g.unit)) else "—" end)
            + " | " + (if ($v | is_number) and ($f | is_number) and $f > 0 then ($v / $f | fixed(2)) else "—" end)
            + " | " + $lim.text
            + " | " + $verdict + " |")
    }
]
| {
    rows: (["| Goal | Measured | Floor | Ratio | Limit | Verdict |",
            "| --- | ---: | ---: | ---: | --- | --- |"] + map(.row)),
    missed: (map(select(.missed)) | length)
  }
