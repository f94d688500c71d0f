#include "engine/format.h"
#include "engine/state.h"

namespace zod {

State::State() { SetDefaults(*this); }

BuiltUpRefs BuiltUp(DesignCase& c, Member m) {
  if (m == Member::Stiffener)
    return {c.slbh, c.slbb, c.slbtw, c.slbtf, c.stbh,  c.stbb, c.stbtw, c.stbtf, c.sfbh, c.sfbtw, c.srhsh,
            c.srhsb, c.srhstw, c.susph, c.suspb, c.suspa, c.susptw, c.sibh, c.sibb, c.sibtw, c.sibtf};
  return {c.glbh, c.glbb, c.glbtw, c.glbtf, c.gtbh,  c.gtbb, c.gtbtw, c.gtbtf, c.gfbh, c.gfbtw, c.grhsh,
          c.grhsb, c.grhstw, c.gusph, c.guspb, c.guspa, c.gusptw, c.gibh, c.gibb, c.gibtw, c.gibtf};
}

namespace {

void SetPanelCaptions(State& z) {
  static const char* const shell[] = {"Shell Buckling: (Ch 3.3.2)", "fEa = ", "fEtau = ", "fEh = ",
                                      "SighSd = ", "SigjSd = ", "lamdas = ", "fks = ", "gm = ", "fksd = "};
  static const char* const stiff[] = {"Stiffener Buckling: (Ch 3.6.3)",
                                      "se =", "Isef =", "fEa =", "fEtau = ", "fEh = ", "fT = ", "SighSd = ",
                                      "SigjSd = ", "lamdas = ", "fks = ", "gm = ", "fksd = "};
  static const char* const ring[] = {"Panel Ring Buckling: (Ch 3.5.2)", "Area requirement:", "",
                                     "Moment of inertia requirement:", "le =", "fT = ", "Ix =", "Ixh =",
                                     "Ih =", "IR =", "I ="};
  static const char* const col[] = {"Global Buckling: (Ch 3.8)", "fkcd1 = ", "lamda1 = ", "fkcd2 = ",
                                    "lamda2 = ", "fakd = ", "fE1 = ", "fE2 = ", "gm = ", "Siga0Sd = ",
                                    "M1Sd/M2Sd = ", "Sigm1Sd = ", "Sigm2Sd = ", "UF1 = ", "UF2 =  "};
  int i = 0;
  for (const char* s : shell) z.shellpanel.txt[i++] = s;
  i = 0;
  for (const char* s : stiff) z.stiffpanel.txt[i++] = s;
  i = 0;
  for (const char* s : ring) z.ringpanel.txt[i++] = s;
  i = 0;
  for (const char* s : col) z.colpanel.txt[i++] = s;

  // The usage-factor labels carry the values they were last built from; the
  // design strength of the shell line is not known before a check has run.
  z.shellpanel.txt[10] = "UF = SigjSd/fksd = " + Format(z.SigjSd, "0.0", z.decsep) + "/" + "..." + " = ";
  z.ringpanel.txt[2] = "UF = Areq/A = " + Format(z.Areq, "0.000E+0", z.decsep) + "/" +
                       Format(z.girdsec.a, "0.000E+0", z.decsep) + " = ";
  z.ringpanel.txt[11] = "UF = IR/I = " + Format(z.IR, "0.000E+0", z.decsep) + "/" +
                        Format(z.effi, "0.000E+0", z.decsep) + " = ";

  z.shellpanel.n = 10;
  z.stiffpanel.n = 13;
  z.ringpanel.n = 12;
  z.colpanel.n = 14;
}

}  // namespace

void SetDefaults(State& z) {
  z.linkcolor = {0, 85, 152};
  z.stiffinp = z.ringinp = z.stressinp = z.columninp = true;
  z.stiffres = z.ringres = z.columnres = true;

  SetPanelCaptions(z);

  z.filename = "New File";
  z.proj = "Project";
  z.ident = "Test";

  z.dmethod = 0;
  z.ufb = 1;
  z.cylinder = 2;
  z.ringch = 1;
  z.hringch = 0;
  z.outside = 0;
  z.ringfab = 0;
  z.checkih = 0;
  z.dmom = 0;
  z.resv1 = 1;
  z.resv2 = 0;

  z.cylr = 1500;
  z.t = 20;
  z.l = 3000;
  z.cyll = 6000;
  z.s = 600;
  z.lt = 3000;
  z.gilt = 600;
  z.k1 = 1.0;
  z.k2 = 1.0f;

  z.e = 210000;
  z.matp = z.mats = z.matg = 2;

  z.sigx = -100;
  z.sigy = -10;
  z.tau = 40;
  z.pd = -0.3f;
  z.nn = -1000;
  z.m1a = -200;
  z.m1b = 100;
  z.m2a = -100;
  z.m2b = 100;

  z.stifftype = 0;
  z.istiffl = z.istifft = z.istifff = z.istiffhp = 0;
  z.stiffh = 200;
  z.stiffb = 90;
  z.stifftw = 9;
  z.stifftf = 12;
  z.stiffc = 1;
  z.stiffr = 10;
  z.stiffri = 10;
  for (Member m : {Member::Stiffener, Member::RingFrame}) {
    BuiltUpRefs b = BuiltUp(z, m);
    b.lbh = b.tbh = b.rhsh = b.usph = b.ibh = 200;
    b.lbb = b.tbb = b.rhsb = b.uspb = b.ibb = 90;
    b.lbtw = b.tbtw = b.ibtw = 9;
    b.lbtf = b.tbtf = b.ibtf = 12;
    b.rhstw = b.usptw = 9;
    b.uspa = 50;
  }
  z.sfbh = 100;
  z.sfbtw = 10;
  z.gfbh = 200;
  z.gfbtw = 9;
  z.tmat = 12;

  z.girdtype = 2;
  z.girdh = 200;
  z.girdb = 90;
  z.girdtw = 9;
  z.girdtf = 12;
  z.girdc = 1;
  z.girdr = 10;
  z.girdri = 10;

  // Calculation values that every shell check writes again before use.
  z.gm = 1.15;
  z.betaw = 1.0f;
}

}  // namespace zod
