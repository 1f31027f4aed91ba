// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "calc/taskreader.h"
#include "calc/tasksolution.h"
#include "calc/tasksolver.h"
#include "expect.h"
#include "task_sentences_data.h"  // tests/data/task-sentences.txt, embedded at configure time

// A task pasted whole, as sentences, reads to the same facts as the pupil's
// notebook lines for it. Every sentence is the team's own; each notebook
// line is written by hand from the sentence's meaning.

using calc::Fact;

namespace {

struct Row {
    std::u16string_view name, sentence, notebook;
};

// clang-format off
const Row Rows[]{
    // Short tasks, π as the 6th grade gives it.
    {u"(π ≈ 3,14) after the asked", u"Радиусът на основата на цилиндър е 5 cm, а височината му е 8 cm. Намерете обема на цилиндъра (π ≈ 3,14).", u"r = 5 cm; h = 8 cm; V = ?; π ≈ 3,14"},
    {u"има радиус и височина", u"Цилиндър има радиус 3 cm и височина 5 cm. Намерете околната повърхнина.", u"r = 3 cm; h = 5 cm; S = ?"},
    {u"съответно", u"Радиусът и височината на цилиндър са съответно 3 cm и 5 cm. Пресметнете обема.", u"r = 3 cm; h = 5 cm; V = ?"},
    {u"Колко литра вода събира", u"Цилиндричен съд има диаметър 20 cm и височина 30 cm. Колко литра вода събира съдът? (π ≈ 3,14)", u"d = 20 cm; h = 30 cm; V = ? l; π ≈ 3,14"},
    {u"с 15 cm по-голяма от диаметъра", u"Диаметърът на основата на прав кръгов цилиндър е 10 cm, а височината му е с 15 cm по-голяма от диаметъра. Намерете лицето на повърхнината на цилиндъра.", u"d = 10 cm; h = d + 15 cm; S₁ = ?"},
    {u"лицето на околната повърхнина, r и V", u"Лицето на околната повърхнина на цилиндър е 94,2 cm², а височината му е 5 cm. Намерете радиуса на основата и обема на цилиндъра (π ≈ 3,14).", u"S = 94,2 cm²; h = 5 cm; r = ?; V = ?; π ≈ 3,14"},
    {u"обиколката на основата", u"Обиколката на основата на цилиндър е 31,4 cm, а височината е 10 cm. Намерете лицето на околната повърхнина (π ≈ 3,14).", u"C = 31,4 cm; h = 10 cm; S = ?; π ≈ 3,14"},
    {u"лицето на основата", u"Лицето на основата на цилиндър е 78,5 cm², а височината му е 4 cm. Изчислете обема (π ≈ 3,14).", u"B = 78,5 cm²; h = 4 cm; V = ?; π ≈ 3,14"},
    {u"дължина, Вземете π ≈ 3,14", u"Цилиндрична цистерна има диаметър 2 m и дължина 5 m. Колко литра вода събира цистерната? Вземете π ≈ 3,14.", u"d = 2 m; h = 5 m; V = ? l; π ≈ 3,14"},
    {u"лицето на повърхнината му", u"Цилиндрична кутия е с радиус 5 cm и височина 4 cm. Намерете лицето на повърхнината му (π ≈ 3,14).", u"r = 5 cm; h = 4 cm; S₁ = ?; π ≈ 3,14"},
    {u"вместимостта", u"Вместимостта на цилиндричен съд е 6,28 l, а височината му е 20 cm. Намерете радиуса на основата (π ≈ 3,14).", u"V = 6,28 l; h = 20 cm; r = ?; π ≈ 3,14"},
    {u"до десетите", u"Радиусът на цилиндър е 4 cm, а височината му е 7 cm. Пресметнете обема до десетите (π ≈ 3,14).", u"r = 4 cm; h = 7 cm; V = ? до десети; π ≈ 3,14"},
    {u"Колко литра, asked first", u"Колко литра вода събира цилиндричен съд с радиус 2,5 dm и височина 4 dm?", u"V = ? l; r = 2,5 dm; h = 4 dm"},
    {u"line breaks", u"Радиусът на основата на цилиндър е 4 cm,\nа височината му е 9 cm.\nНамерете обема.", u"r = 4 cm; h = 9 cm; V = ?"},
    // Quantities by their words, in their forms.
    {u"обемът, височината", u"Обемът на цилиндър е 150π cm³, а радиусът на основата му е 5 cm. Намерете височината.", u"V = 150π cm³; r = 5 cm; h = ?"},
    {u"пълната повърхнина, Да се намери", u"Височината на цилиндър е 12 dm, а радиусът е 0,5 m. Да се намери пълната повърхнина на цилиндъра.", u"h = 12 dm; r = 0,5 m; S₁ = ?"},
    {u"образуващата", u"Образуващата на цилиндър е 7 cm, а радиусът му е 3 cm. Пресметнете лицето на околната повърхнина и лицето на повърхнината.", u"h = 7 cm; r = 3 cm; S = ?; S₁ = ?"},
    {u"лицето на осното сечение", u"Лицето на осното сечение на цилиндър е 48 cm², а радиусът е 4 cm. Намерете обема.", u"Q = 48 cm²; r = 4 cm; V = ?"},
    {u"диагоналът на осното сечение", u"Диагоналът на осното сечение на цилиндър е 10 cm, а височината е 8 cm. Намерете лицето на пълната повърхнина.", u"диагонал = 10 cm; h = 8 cm; S₁ = ?"},
    {u"периметърът на осното сечение", u"Периметърът на осното сечение на цилиндър е 28 cm, а височината му е 6 cm. Намерете обема на цилиндъра.", u"периметър = 28 cm; h = 6 cm; V = ?"},
    {u"дължината на диагонала", u"Даден е прав кръгов цилиндър с радиус на основата 3√2 cm и височина 4 cm. Да се намери дължината на диагонала на осното сечение.", u"r = 3√2 cm; h = 4 cm; диагонал = ?"},
    {u"70π", u"Обемът на прав кръгов цилиндър е 70π cm³, а височината му е 10 cm. Намерете лицето на осното сечение.", u"V = 70π cm³; h = 10 cm; Q = ?"},
    {u"лицето на основата му", u"Лицето на осното сечение на цилиндър е 60 cm², а лицето на основата му е 36π cm². Намерете обема.", u"Q = 60 cm²; B = 36π cm²; V = ?"},
    {u"3/4 m, asked first", u"Пресметнете лицето на околната повърхнина на цилиндър с радиус 0,2 m и височина 3/4 m.", u"S = ?; r = 0,2 m; h = 3/4 m"},
    {u"Използвайте π = 22/7", u"Обиколката на основата на цилиндър е 44 cm, а височината му е 10 cm. Намерете обема. Използвайте π = 22/7.", u"C = 44 cm; h = 10 cm; V = ?; π = 22/7"},
    {u"като вземете π = 22/7", u"Радиусът на основата на цилиндър е 7 cm, а височината му е 10 cm. Изчислете пълната повърхнина, като вземете π = 22/7.", u"r = 7 cm; h = 10 cm; S₁ = ?; π = 22/7"},
    {u"Да се намери радиусът", u"Околната повърхнина на прав кръгов цилиндър е 24π cm², а обемът му е 36π cm³. Да се намери радиусът на основата.", u"S = 24π cm²; V = 36π cm³; r = ?"},
    {u"пълната повърхнина е", u"Пълната повърхнина на цилиндър е 80π cm², а радиусът на основата е 5 cm. Намерете височината.", u"S₁ = 80π cm²; r = 5 cm; h = ?"},
    {u"диаметър и обем", u"Цилиндър има диаметър 6 cm и обем 45π cm³. Намерете височината.", u"d = 6 cm; V = 45π cm³; h = ?"},
    {u"радиуса, височината и обема", u"Диагоналът на осното сечение на цилиндър е 13 cm, а лицето на осното сечение е 60 cm². Намерете радиуса, височината и обема.", u"диагонал = 13 cm; Q = 60 cm²; r = ?; h = ?; V = ?"},
    // Shapes and the angle.
    {u"квадрат със страна", u"Осното сечение на цилиндър е квадрат със страна 8 cm. Намерете обема и пълната повърхнина.", u"осното сечение е квадрат със страна 8 cm; V = ?; S₁ = ?"},
    {u"осното сечение е квадрат", u"Осното сечение на цилиндър е квадрат, а обемът му е 16π cm³. Намерете радиуса.", u"осното сечение е квадрат; V = 16π cm³; r = ?"},
    {u"развивката, квадрат със страна", u"Развивката на околната повърхнина на цилиндър е квадрат със страна 6π cm. Намерете обема.", u"развивката е квадрат със страна 6π cm; V = ?"},
    {u"развивката е квадрат", u"Развивката на околната повърхнина на цилиндър е квадрат, а радиусът на основата е 2 cm. Намерете височината.", u"развивката е квадрат; r = 2 cm; h = ?"},
    {u"сключва с основата ъгъл", u"Диагоналът на осното сечение на цилиндър сключва с основата ъгъл 60°, а радиусът на основата е 2 cm. Намерете височината.", u"α = 60°; r = 2 cm; h = ?"},
    // Relations in words.
    {u"два пъти по-голяма от", u"Височината на цилиндър е два пъти по-голяма от радиуса, а обемът му е 54π cm³. Намерете радиуса.", u"h = 2r; V = 54π cm³; r = ?"},
    {u"4 пъти по-голяма от", u"Височината на цилиндър е 4 пъти по-голяма от радиуса, а околната повърхнина е 72π cm². Намерете обема.", u"h = 4r; S = 72π cm²; V = ?"},
    {u"равна на диаметъра", u"Височината на цилиндър е равна на диаметъра на основата, а пълната му повърхнина е 54π cm². Намерете обема.", u"h = d; S₁ = 54π cm²; V = ?"},
    {u"половината от", u"Радиусът на цилиндър е половината от височината му, а околната повърхнина е 36π cm². Намерете обема.", u"r = h/2; S = 36π cm²; V = ?"},
    {u"три пъти по-малка от", u"Височината на цилиндър е три пъти по-малка от диаметъра на основата, а радиусът е 6 cm. Пресметнете обема.", u"h = d/3; r = 6 cm; V = ?"},
    {u"три пъти по-малък от", u"Цилиндър има височина 9 cm, а радиусът му е три пъти по-малък от височината. Намерете лицето на основата.", u"h = 9 cm; r = h/3; B = ?"},
    {u"по-малка с 2 cm от", u"Височината на цилиндър е по-малка с 2 cm от диаметъра, а радиусът е 5 cm. Намерете лицето на осното сечение.", u"h = d − 2 cm; r = 5 cm; Q = ?"},
    {u"с 3 cm по-малка от", u"Диаметърът на цилиндър е 12 cm. Височината е с 3 cm по-малка от диаметъра. Намерете обема и околната повърхнина.", u"d = 12 cm; h = d − 3 cm; V = ?; S = ?"},
    {u"надвишава утроения радиус", u"Височината на цилиндър надвишава утроения радиус с 5 cm, а радиусът е 2 cm. Намерете обема.", u"h = 3r + 5 cm; r = 2 cm; V = ?"},
    {u"равна на утроения радиус", u"Височината на цилиндър е равна на утроения радиус, а лицето на осното сечение е 24 cm². Намерете обема.", u"h = 3r; Q = 24 cm²; V = ?"},
    {u"равна на удвоения диаметър", u"Височината на цилиндър е равна на удвоения диаметър, а обемът е 32π cm³. Намерете радиуса.", u"h = 2d; V = 32π cm³; r = ?"},
    {u"се отнасят както", u"Радиусът и височината на цилиндър се отнасят както 2 : 3, а обемът му е 12π cm³. Намерете пълната повърхнина.", u"r : h = 2 : 3; V = 12π cm³; S₁ = ?"},
    {u"ако радиусът е", u"Височината на цилиндър е три пъти по-голяма от радиуса му. Намерете обема, ако радиусът е 2 cm.", u"h = 3r; V = ?; r = 2 cm"},
    // The sphere inside.
    {u"вписаната сфера има радиус", u"Вписаната в цилиндър сфера има радиус 3 cm. Намерете обема на цилиндъра.", u"сфера r = 3 cm; V = ?"},
    {u"описан около кълбо", u"Цилиндър е описан около кълбо с радиус 4 cm. Намерете пълната повърхнина на цилиндъра.", u"сфера r = 4 cm; S₁ = ?"},
    {u"обемът на вписаното кълбо", u"Обемът на вписаното в цилиндър кълбо е 36π cm³. Намерете обема на цилиндъра.", u"кълбо V = 36π cm³; V = ?"},
    {u"повърхнината на вписаната сфера", u"Повърхнината на вписаната в цилиндър сфера е 64π cm². Намерете околната повърхнина на цилиндъра.", u"сфера S = 64π cm²; S = ?"},
    {u"радиусът на вписаното кълбо", u"Радиусът на вписаното в цилиндър кълбо е 2 cm. Изчислете лицето на осното сечение.", u"сфера r = 2 cm; Q = ?"},
    // The cylinder in the ball: the ball's radius is the sphere around's.
    {u"вписан в сфера с радиус", u"Прав кръгов цилиндър е вписан в сфера с радиус 10 cm, а височината му е 12 cm. Пресметнете обема на цилиндъра.", u"описана сфера r = 10 cm; h = 12 cm; V = ?"},
    {u"в кълбо е вписан цилиндър", u"В кълбо с радиус 13 cm е вписан цилиндър с радиус 5 cm. Намерете височината на цилиндъра.", u"описана сфера r = 13 cm; r = 5 cm; h = ?"},
    {u"радиусът на описаната сфера", u"Радиусът на описаната около цилиндър сфера е 17 cm, а височината на цилиндъра е 30 cm. Намерете радиуса на цилиндъра.", u"описана сфера r = 17 cm; h = 30 cm; r = ?"},
    {u"около кълбо е описан цилиндър", u"Около кълбо с радиус 6 cm е описан цилиндър. Намерете обема на цилиндъра.", u"сфера r = 6 cm; V = ?"},
    {u"лицето на сферата", u"В цилиндър е вписана сфера с радиус 4 cm. Намерете лицето на сферата.", u"сфера r = 4 cm; сфера S = ?"},
    // A ball inscribed, said with no measure of its own: h = d.
    {u"описан около кълбо, без мярка", u"Цилиндър с диаметър 8 cm е описан около кълбо. Пресметнете обема на цилиндъра.", u"d = 8 cm; h = d; V = ?"},
    {u"вписано кълбо, без мярка", u"В цилиндър с височина 12 cm е вписано кълбо. Намерете обема на кълбото.", u"h = 12 cm; h = d; кълбо V = ?"},
    {u"е равен на", u"Радиусът на основата на цилиндър е равен на 5 cm, а височината му е 9 cm. Намерете обема.", u"r = 5 cm; h = 9 cm; V = ?"},
    {u"са равни", u"Височината и радиусът на цилиндър са равни, а обемът му е 8π cm³. Намерете височината.", u"h = r; V = 8π cm³; h = ?"},
    {u"с точност до 0,1 cm³", u"Радиусът на цилиндър е 2 cm, а височината му е 9 cm. Намерете обема с точност до 0,1 cm³.", u"r = 2 cm; h = 9 cm; V = ? с точност до 0,1"},
    {u"the book's letters asked", u"Радиусът на цилиндър е 6 cm, а височината му е 2 cm. Пресметнете S₁, B и Q.", u"r = 6 cm; h = 2 cm; S₁ = ?; B = ?; Q = ?"},
    // Mass, tin and rounding.
    {u"1 cm³ олово тежи", u"Цилиндър от олово има радиус 2 cm и височина 10 cm. 1 cm³ олово тежи 11,4 g. Колко тежи цилиндърът в килограми? (π ≈ 3,14)", u"r = 2 cm; h = 10 cm; плътност = 11,4 g/cm³; маса = ? kg; π ≈ 3,14"},
    {u"плътността на желязото", u"Железен прът с форма на цилиндър има диаметър 2 cm и дължина 1 m. Плътността на желязото е 7,8 g/cm³. Колко тежи прътът в килограми?", u"d = 2 cm; h = 1 m; плътност = 7,8 g/cm³; маса = ? kg"},
    {u"kg/dm³", u"Алуминиев цилиндър има радиус 1 dm и височина 2 dm. Плътността на алуминия е 2,7 kg/dm³. Колко тежи цилиндърът в килограми?", u"r = 1 dm; h = 2 dm; плътност = 2,7 kg/dm³; маса = ? kg"},
    {u"ламарина, без капак", u"Цилиндричен съд без капак има радиус 0,5 m и височина 1,2 m. Колко квадратни метра ламарина са нужни за направата му? (π ≈ 3,14)", u"r = 0,5 m; h = 1,2 m; без капак = ? m²; π ≈ 3,14"},
    {u"ламарина, закръглете до цяло число", u"Колко квадратни метра ламарина са нужни за цилиндрична цистерна с диаметър 2 m и височина 3 m? Закръглете до цяло число.", u"S₁ = ? m²; d = 2 m; h = 3 m; до цяло число"},
    {u"с точност до 0,01", u"Цилиндрична кофа има вместимост 12 l и радиус 10 cm. Намерете височината ѝ с точност до 0,01.", u"V = 12 l; r = 10 cm; h = ? с точност до 0,01"},
};

// A task of another kind: the sentence saying so.
const struct {
    std::u16string_view sentence, because;
} Refusals[]{
    {u"Цилиндър и конус имат равни основи и равни височини. Обемът на конуса е 12 cm³. Намерете обема на цилиндъра.", u"тази задача е и за конус."},
    {u"В цилиндър с радиус 4 cm е вписана правилна четириъгълна пирамида с височина 6 cm. Намерете обема на пирамидата.", u"тази задача е и за пирамида."},
    {u"Цилиндър е описан около правилна триъгълна призма с основен ръб 6 cm и височина 10 cm. Намерете обема на цилиндъра.", u"тази задача е и за призма."},
    {u"Куб с ръб 4 cm е вписан в цилиндър. Намерете околната повърхнина на цилиндъра.", u"тази задача е и за куб."},
    {u"Два цилиндъра имат равни обеми. Радиусът на първия е 2 cm, а на втория е 4 cm. Намерете отношението на височините им.", u"тази задача е за два цилиндъра или съда."},
    {u"Радиусът на един цилиндър е 3 cm, а височината му е 4 cm. Втори цилиндър има два пъти по-голям радиус и същата височина. Колко пъти обемът на втория е по-голям?", u"тази задача е за два цилиндъра или съда."},
    {u"Два съда с форма на цилиндър имат еднакви височини 20 cm, а диаметрите им са 10 cm и 20 cm. Колко литра събират двата съда заедно?", u"тази задача е за два цилиндъра или съда."},
    {u"Водата от пълен цилиндричен съд с радиус 10 cm и височина 20 cm се прелива в друг съд с радиус 20 cm. До каква височина ще стигне водата?", u"тази задача е за два цилиндъра или съда."},
    {u"В цилиндричен съд с радиус 5 cm има вода. След като в него пуснали камък, нивото на водата се вдигнало с 2 cm. Намерете обема на камъка.", u"тази задача е за нивото на течност."},
    {u"Равнището на водата в цилиндричен резервоар с диаметър 2 m е 1,5 m. Колко литра вода има в резервоара?", u"тази задача е за нивото на течност."},
    {u"В цилиндрична чаша с радиус 3 cm има вода. Пускаме в нея метално топче и водата се покачва с 1 cm. Намерете обема на топчето.", u"тази задача е за нивото на течност."},
    {u"Цилиндър има радиус 5 cm и височина 10 cm. Сечение, успоредно на оста му, е на 3 cm от оста. Намерете лицето на сечението.", u"тази задача е за сечение, успоредно на оста."},
    {u"Цилиндър с радиус 13 cm и височина 8 cm е пресечен с равнина на разстояние 5 cm от оста. Намерете лицето на сечението.", u"тази задача е за сечение, успоредно на оста."},
    {u"Кух метален цилиндър има външен радиус 5 cm, височина 10 cm и дебелина на стената 1 cm. Намерете обема на метала.", u"тази задача е за кух цилиндър."},
    {u"Тръба с дължина 2 m има вътрешен диаметър 8 cm и дебелина на стената 1 cm. Намерете обема на материала.", u"тази задача е за кух цилиндър."},
};

// What is not read whole: each clause holding it, as written.
const struct {
    std::u16string_view sentence;
    std::vector<std::u16string> unread;
} NotRead[]{
    {u"Радиусът на цилиндър е 8 cm, а височината е с 5 cm различна от радиуса. Намерете обема.", {u"а височината е с 5 cm различна от радиуса"}},
    {u"Височината на цилиндър не е 5 cm, а радиусът му е 3 cm. Намерете обема.", {u"Височината на цилиндър не е 5 cm"}},
    {u"Радиусът на цилиндър е 2 cm. Намерете обема, ако 5 cm.", {u"ако 5 cm"}},
    {u"Лицето е 20 cm², а височината е 4 cm. Намерете радиуса.", {u"Лицето е 20 cm²"}},
    {u"Диагоналът на осното сечение сключва с образуващата ъгъл 30°, а радиусът е 2 cm. Намерете височината.", {u"Диагоналът на осното сечение сключва с образуващата ъгъл 30°"}},
    {u"Радиусът на цилиндър е 3 cm, а теглото му е 5 kg. Намерете обема.", {u"а теглото му е 5 kg"}},
    {u"Радиусът на цилиндър е 3 cm, а височината е голяма. Намерете обема.", {u"а височината е голяма"}},
    {u"Радиусът на цилиндър е 3 cm; обемът му е 5 m; ширината е 4 cm. Намерете лицето на осното сечение.", {u"обемът му е 5 m", u"ширината е 4 cm"}},
    {u"Височината е с 2 cm по-голяма, а радиусът е 3 cm. Намерете обема!", {u"Височината е с 2 cm по-голяма"}},
    {u"Радиусът на основата на цилиндър е 3 cm. Височината му е 2 пъти. Намерете обема.", {u"Височината му е 2 пъти"}},
    {u"Радиусът е 2 cm, а височината 5 cm. 0 cm³ олово тежи 11,4 g. Колко тежи цилиндърът?", {u"0 cm³ олово тежи 11,4 g"}},
    {u"Радиусът е 2 cm, а височината е 0 пъти по-малка от радиуса. Намерете обема.", {u"а височината е 0 пъти по-малка от радиуса"}},
};

// Multiple choice: the facts of the statement, the options apart.
const Row Choices[]{
    {u"options on the question's line", u"Радиусът на цилиндър е 2 cm, а височината му е 3 cm. Намерете обема на цилиндъра. А) 12π cm³ Б) 24π cm³ В) 36π cm³ Г) 48π cm³", u"r = 2 cm; h = 3 cm; V = ?"},
    {u"an option a line", u"Диаметърът на цилиндър е 4 cm, а височината му е 6 cm. Пресметнете обема на цилиндъра.\nА) 12π cm³\nБ) 24π cm³\nВ) 36π cm³\nГ) 48π cm³", u"d = 4 cm; h = 6 cm; V = ?"},
    {u"options on the lines after \"е:\"", u"Радиусът на цилиндър е 2 cm, а височината му е 3 cm. Обемът на цилиндъра е:\nА) 12π cm³ Б) 24π cm³\nВ) 36π cm³ Г) 48π cm³", u"r = 2 cm; h = 3 cm; V = ?"},
    {u"two options a line", u"Радиусът и височината на цилиндър са съответно 3 cm и 4 cm. Намерете обема му.\nА) 12π cm³ Б) 24π cm³\nВ) 36π cm³ Г) 48π cm³", u"r = 3 cm; h = 4 cm; V = ?"},
};

// "Дадено:" in notebook form, then "Търси се:".
const struct {
    std::u16string_view sentence, given, sought;
} Explained[]{
    {u"Диаметърът на основата на прав кръгов цилиндър е 10 cm, а височината му е с 15 cm по-голяма от диаметъра. Намерете лицето на повърхнината на цилиндъра.", u"Дадено: d = 10 cm, h = d + 15 cm.", u"Търси се: S₁."},
    {u"Лицето на околната повърхнина на цилиндър е 94,2 cm², а височината му е 5 cm. Намерете радиуса на основата и обема на цилиндъра (π ≈ 3,14).", u"Дадено: S = 94,2 cm², h = 5 cm, π ≈ 3,14.", u"Търси се: r, V."},
    {u"Височината на цилиндър е с 2 cm по-малка от диаметъра, а радиусът и височината се отнасят както 2 : 3. Намерете обема.", u"Дадено: h = d − 2 cm, r : h = 2 : 3.", u"Търси се: V."},
    {u"Осното сечение на цилиндър е квадрат, а обемът му е 16π cm³. Намерете радиуса и височината.", u"Дадено: осното сечение е квадрат, V = 16π cm³.", u"Търси се: r, h."},
    {u"Железен цилиндър има радиус 3 cm, а височината му е три пъти по-малка от диаметъра. Плътността на желязото е 7,8 g/cm³. Колко тежи цилиндърът в килограми?", u"Дадено: r = 3 cm, h = d/3, плътност = 7,8 g/cm³.", u"Търси се: маса."},
};
// clang-format on

void checkNumber(const platform::Reading& actual, const platform::Reading& expected) {
    CHECK(actual.value == expected.value);
    CHECK(actual.exact == expected.exact);
    CHECK(actual.unit == expected.unit);
}

// Fact by fact as the notebook reads it; the text apart.
void checkFacts(const calc::Task& task, std::u16string_view notebook) {
    const calc::Task expected = calc::readTask(notebook);
    CHECK(expected.unread.empty());
    CHECK(task.unread.empty());
    CHECK(task.refused.empty());
    CHECK(task.facts.size() == expected.facts.size());
    for (std::size_t i = 0; i < task.facts.size(); ++i) {
        CAPTURE(i);
        const Fact &f = task.facts[i], &e = expected.facts[i];
        CHECK(f.kind == e.kind);
        CHECK(f.measure == e.measure);
        CHECK(f.other == e.other);
        checkNumber(f.number, e.number);
        CHECK(f.factor.value == e.factor.value);
        CHECK(f.factor.exact == e.factor.exact);
        CHECK(f.pi == e.pi);
        REQUIRE(f.unit.has_value() == e.unit.has_value());
        if (f.unit) {
            CHECK(f.unit->kind == e.unit->kind);
            CHECK(f.unit->exponent == e.unit->exponent);
        }
        CHECK(f.places == e.places);
    }
}

// A fact's notebook text reads back as the fact: what "Дадено:" shows is
// what was computed from.
bool readsBack(const Fact& f) {
    const calc::Task back = calc::readTask(f.text);
    if (back.facts.size() != 1 || !back.unread.empty()) return false;
    const Fact& b = back.facts.front();
    return b.kind == f.kind && b.measure == f.measure && b.other == f.other &&
           b.number.value == f.number.value && b.factor.value == f.factor.value && b.pi == f.pi &&
           b.unit.has_value() == f.unit.has_value() &&
           (!f.unit || (b.unit->kind == f.unit->kind && b.unit->exponent == f.unit->exponent));
}

// Whether `task` has the notebook line's facts, in any order.
bool same(const calc::Task& task, std::u16string_view notebook) {
    const calc::Task expected = calc::readTask(notebook);
    if (!task.unread.empty() || !task.refused.empty() || task.facts.size() != expected.facts.size())
        return false;
    std::vector<bool> taken(expected.facts.size());
    for (const Fact& f : task.facts) {
        const auto equal = [&](const Fact& e) {
            return f.kind == e.kind && f.measure == e.measure && f.other == e.other &&
                   f.number.value == e.number.value && f.number.exact == e.number.exact &&
                   f.factor.value == e.factor.value && f.pi == e.pi && f.places == e.places &&
                   f.unit.has_value() == e.unit.has_value() &&
                   (!f.unit ||
                    (f.unit->kind == e.unit->kind && f.unit->exponent == e.unit->exponent));
        };
        std::size_t i = 0;
        while (i < taken.size() && (taken[i] || !equal(expected.facts[i]))) ++i;
        if (i == taken.size()) return false;
        taken[i] = true;
    }
    return true;
}

std::u16string lineText(const calc::Line& line) {
    calc::Solution s;
    s.lines = {line};
    std::u16string text = calc::plainText(s, u',');
    return text.substr(0, text.size() - 2);  // its CR LF
}

}  // namespace

TEST_CASE("a task's sentences read as its notebook lines") {
    for (const Row& row : Rows) {
        CAPTURE(utf8(row.name));
        CAPTURE(utf8(row.sentence));
        const calc::Task task = calc::readTask(row.sentence);
        checkFacts(task, row.notebook);
        CHECK(task.options.empty());
    }
}

TEST_CASE("a task about something else is refused") {
    for (const auto& row : Refusals) {
        CAPTURE(utf8(row.sentence));
        CHECK(calc::readTask(row.sentence).refused ==
              u"Програмата решава задачи за един цилиндър; " + std::u16string(row.because));
    }
}

TEST_CASE("a clause not read whole is quoted") {
    for (const auto& row : NotRead) {
        CAPTURE(utf8(row.sentence));
        const calc::Task task = calc::readTask(row.sentence);
        CHECK(task.unread == row.unread);
        CHECK(task.refused.empty());
    }
}

TEST_CASE("a multiple-choice task's options") {
    constexpr platform::Unit cm3{platform::Dimension::Volume, -2};
    const std::u16string_view labels[] = {u"А)", u"Б)", u"В)", u"Г)"};
    for (const Row& row : Choices) {
        CAPTURE(utf8(row.name));
        CAPTURE(utf8(row.sentence));
        const calc::Task task = calc::readTask(row.sentence);
        checkFacts(task, row.notebook);
        REQUIRE(task.options.size() == 4);
        for (int i = 0; i < 4; ++i) {
            CAPTURE(i);
            const int k = 12 * (i + 1);
            CHECK(task.options[i].label == labels[i]);
            checkNumber(task.options[i].value,
                        {k * platform::PI_14, platform::Exact(k) * platform::Exact::pi(), cm3});
        }
    }
}

TEST_CASE("a sentence task's solution: what is given and what is sought") {
    for (const auto& row : Explained) {
        CAPTURE(utf8(row.sentence));
        const calc::Task task = calc::readTask(row.sentence);
        const std::vector<calc::Line> lines =
            calc::explainTask(task, calc::solveTask(task), calc::Rounding::None);
        REQUIRE(lines.size() >= 2);
        CHECK(lineText(lines[0]) == row.given);
        CHECK(lineText(lines[1]) == row.sought);
    }
}

// A word cut out or two swapped never changes the cylinder unseen: the task
// is quoted, refused or stopped with a sentence, or "Дадено:" shows the
// facts it was solved from.
TEST_CASE("a sentence with a word cut or two words swapped") {
    int stopped = 0, shown = 0;
    for (const Row& row : Rows) {
        std::vector<std::u16string> words;
        for (std::size_t i = 0; i < row.sentence.size();) {
            const std::size_t space = std::min(row.sentence.find(u' ', i), row.sentence.size());
            words.emplace_back(row.sentence.substr(i, space - i));
            i = space + 1;
        }
        for (std::size_t i = 0; i < 2 * words.size() - 1; ++i) {
            std::vector<std::u16string> variant = words;
            if (i < words.size())
                variant.erase(variant.begin() + static_cast<std::ptrdiff_t>(i));
            else
                std::swap(variant[i - words.size()], variant[i - words.size() + 1]);
            std::u16string text;
            for (const std::u16string& w : variant) text += w + u" ";
            CAPTURE(utf8(text));
            const calc::Task task = calc::readTask(text);
            if (!task.unread.empty() || !task.refused.empty() ||
                !calc::solveTask(task).message.empty()) {
                ++stopped;
                continue;
            }
            ++shown;
            for (const Fact& f : task.facts) {
                CAPTURE(utf8(f.text));
                CHECK(readsBack(f));
            }
        }
    }
    MESSAGE("stopped with a sentence: " << stopped << ", solved with \"Дадено:\" shown: " << shown);
}

// Tasks written apart from the reader, its words unseen: each is read as its
// notebook line, or stopped with a sentence; none is read otherwise in silence.
TEST_CASE("held-out tasks: read right or stopped, never read wrong") {
    int right = 0, stopped = 0, rows = 0;
    const std::u16string data = fromUtf8(TaskSentencesData);
    // Blocks apart by blank lines: '#' lines, the task, its notebook line.
    for (std::size_t at = 0; at < data.size();) {
        const std::size_t end = std::min(data.find(u"\n\n", at), data.size());
        std::vector<std::u16string> lines;
        for (std::size_t i = at; i < end;) {
            const std::size_t eol = std::min(data.find(u'\n', i), end);
            if (data[i] != u'#') lines.push_back(data.substr(i, eol - i));
            i = eol + 1;
        }
        at = end + 2;
        if (lines.empty()) continue;
        REQUIRE(lines.size() == 2);
        const std::u16string &sentence = lines[0], &expected = lines[1];
        CAPTURE(utf8(sentence));
        const calc::Task read = calc::readTask(sentence);
        const bool message = !read.unread.empty() || !read.refused.empty() ||
                             (read.facts.size() > 1 && !calc::solveTask(read).message.empty());
        ++rows;
        if (expected == u"REFUSE"   ? !read.refused.empty()
            : expected == u"UNREAD" ? !read.unread.empty()
                                    : same(read, expected))
            ++right;
        else if (message) {
            ++stopped;
            MESSAGE("stopped: " << utf8(sentence) << " | "
                                << (read.unread.empty() ? "" : utf8(read.unread.front())));
        } else
            FAIL_CHECK("read as another task, in silence: " << utf8(expected));
    }
    MESSAGE(right << " of " << rows << " read right, " << stopped << " stopped with a sentence");
}
